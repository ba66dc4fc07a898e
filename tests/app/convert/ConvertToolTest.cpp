#include "ConvertToolSupport.h"

#include <orvenly/StringConversion.h>
#include <platform/Cp932.h>

#include <QFile>
#include <QProcess>

#include <string>
#include <sys/resource.h>

namespace {

TEST_F(ConvertToolTest, GuessNamesCharsetAndBreakCode) {
    const QString sjis = file("sjis", samples().at("sjis"));
    const QString euc = file("euc", samples().at("euc"));
    const QString jis = file("jis", samples().at("jis"));
    const QString ascii = file("ascii", "a\r\nb\r\n");
    const QString cr = file("cr", "a\rb\r");
    const QString mixed = file("mixed", "a\r\nb\nc\n");
    const QString binary = file("binary", QByteArray("a\0b", 3));
    const QString empty = file("empty", "");
    const Result r = run({"--guess", sjis, euc, jis, ascii, cr, mixed, binary, empty});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.toStdString(),
              (sjis + ": Shift_JIS LF\n" + euc + ": EUC-JP LF\n" + jis + ": ISO-2022-JP LF\n" +
               ascii + ": unknown CRLF\n" + cr + ": unknown CR\n" + mixed + ": unknown LF\n" +
               binary + ": octet-stream none\n" + empty + ": unknown none\n")
                  .toStdString());
}

TEST_F(ConvertToolTest, ConvertsBetweenAllCharsetsByteForByte) {
    for (const char* from : {"auto", "sjis", "jis", "euc"}) {
        for (const char* to : {"sjis", "jis", "euc", "utf8"}) {
            for (const auto& [source, content] : samples()) {
                if (source == "utf8" || (std::string(from) != "auto" && source != from)) {
                    continue;
                }
                const Result r = convert({"-f", from, "-t", to}, content);
                EXPECT_EQ(r.exitCode, 0) << from << " " << source << " -> " << to;
                EXPECT_EQ(r.out, samples().at(to)) << from << " " << source << " -> " << to;
            }
        }
    }
}

TEST_F(ConvertToolTest, DefaultsToRecognisedInputAndUtf8) {
    EXPECT_EQ(convert({}, samples().at("euc")).out, samples().at("utf8"));
    // Undecided text is read as Shift_JIS: these bytes are EUC-JP too.
    EXPECT_EQ(convert({}, bytes({0xB1, 0xB2})).out, QByteArray("\xEF\xBD\xB1\xEF\xBD\xB2"));
}

TEST_F(ConvertToolTest, RewritesLineBreaks) {
    const QByteArray mixed("a\r\nb\rc\nd\n");
    EXPECT_EQ(convert({"-e", "lf"}, mixed).out, QByteArray("a\nb\nc\nd\n"));
    EXPECT_EQ(convert({"-e", "cr"}, mixed).out, QByteArray("a\rb\rc\rd\r"));
    EXPECT_EQ(convert({"-e", "crlf"}, mixed).out, QByteArray("a\r\nb\r\nc\r\nd\r\n"));
    // keep: the code used most, ties going to CR LF before LF before CR.
    EXPECT_EQ(convert({}, mixed).out, QByteArray("a\nb\nc\nd\n"));
    EXPECT_EQ(convert({"-e", "keep"}, "a\r\nb\n").out, QByteArray("a\r\nb\r\n"));
    EXPECT_EQ(convert({}, "a\rb\rc\n").out, QByteArray("a\rb\rc\r"));
    EXPECT_EQ(convert({}, "no break").out, QByteArray("no break"));
    // JIS returns to ASCII before every break, whichever code the break has.
    EXPECT_EQ(convert({"-t", "jis", "-e", "crlf"}, samples().at("sjis")).out,
              QByteArray("a\x1B$B$\"El5~\x1B(B\r\n\x1B(I1\x1B(B\r\n"));
    EXPECT_EQ(convert({"-t", "euc", "-e", "cr"}, samples().at("sjis")).out,
              bytes({0x61, 0xA4, 0xA2, 0xC5, 0xEC, 0xB5, 0xFE, 0x0D, 0x8E, 0xB1, 0x0D}));
}

// What the editor's load and save make of the bytes: decode, ConvertBreakCode, encode, and
// the breaks written in the code asked for.
QByteArray throughUnicode(const QByteArray& input, const std::string& from, const std::string& to,
                          const std::string& lineBreak) {
    const orvenly::StringConversion& engine = orvenly::StringConversion::instance();
    QString text = from == "euc" ? engine.EucToUnicode(input) : platform::cp932::decode(input);
    const orvenly::StringLineBreakCodeConstants found = engine.ConvertBreakCode(text);
    QByteArray output = to == "euc" ? engine.UnicodeToEuc(text) : platform::cp932::encode(text);
    const bool keepFound = lineBreak == "keep" && found != orvenly::SLB_UNKNOWN;
    if (lineBreak == "lf" || (keepFound && found == orvenly::SLB_LF)) {
        output.replace("\r\n", "\n");
    } else if (lineBreak == "cr" || (keepFound && found == orvenly::SLB_CR)) {
        output.replace("\r\n", "\r");
    }
    return output;
}

TEST_F(ConvertToolTest, DirectConversionsGiveTheBytesOfTheRoadThroughUnicode) {
    // Broken pairs of either charset, a high byte before LF, NUL, and every kind of break;
    // the broken pairs are characters no charset holds, written as "?" when asked to.
    const QByteArray input = bytes({0x61, 0xA4, 0x0A, 0x00, 0x0D, 0x0A, 0x82, 0x0D, 0x8E, 0x41,
                                    0x0A, 0xB1, 0x0D, 0x85, 0xFD, 0x0A, 0x0A, 0xA4, 0xA2, 0xA4});
    for (const char* from : {"sjis", "euc"}) {
        for (const char* to : {"sjis", "euc"}) {
            for (const char* lineBreak : {"keep", "crlf", "cr", "lf"}) {
                EXPECT_EQ(convert({"--lossy", "-f", from, "-t", to, "-e", lineBreak}, input).out,
                          throughUnicode(input, from, to, lineBreak))
                    << from << " -> " << to << " " << lineBreak;
            }
        }
    }
}

TEST_F(ConvertToolTest, NarrowTurnsHalfWidthKatakanaIntoFullWidth) {
    const QByteArray kana = bytes({0xB6, 0xDE, 0xCA, 0xDF}); // ｶﾞﾊﾟ
    EXPECT_EQ(convert({"-f", "sjis", "-t", "jis", "--narrow"}, kana).out, QByteArray("\x1B$B%,%Q"));
    EXPECT_EQ(convert({"-f", "sjis", "-t", "jis"}, kana).out, QByteArray("\x1B(I6^J_"));
    EXPECT_EQ(convert({"-t", "jis", "--narrow"}, samples().at("sjis")).out,
              QByteArray("a\x1B$B$\"El5~\x1B(B\n\x1B$B%\"\x1B(B\n"));
}

TEST_F(ConvertToolTest, NulBecomesQuestionMarkWhenDecodingIsForced) {
    EXPECT_EQ(convert({"-f", "sjis"}, QByteArray("a\0b", 3)).out, QByteArray("a?b"));
}

TEST_F(ConvertToolTest, RefusedFilesDoNotStopTheOthers) {
    const QString binary = file("binary.dat", QByteArray("\x01\x02text", 6));
    const QString good = file("good.txt", samples().at("sjis"));
    const QString missing = m_dir.filePath("missing.txt");
    const Result r = run({binary, good, missing, m_dir.path(), good});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, samples().at("utf8") + samples().at("utf8"));
    EXPECT_TRUE(r.err.contains(binary.toUtf8() + ": not text"));
    EXPECT_TRUE(r.err.contains(missing.toUtf8() + ": No such file"));
    EXPECT_TRUE(r.err.contains(m_dir.path().toUtf8() + ": Is a directory"));
}

TEST_F(ConvertToolTest, RefusesFilesOf2GiB) {
    QFile sparse(m_dir.filePath("huge.txt"));
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly));
    ASSERT_TRUE(sparse.resize(qint64(2) << 30));
    sparse.close();
    const Result r = run({sparse.fileName()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("2 GiB or larger"));
}

TEST_F(ConvertToolTest, ReadsStandardInput) {
    EXPECT_EQ(run({}, samples().at("euc")).out, samples().at("utf8"));
    const QString good = file("good.txt", samples().at("jis"));
    const Result r = run({"-t", "sjis", good, "-"}, samples().at("euc"));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, samples().at("sjis") + samples().at("sjis"));
    EXPECT_EQ(run({"--guess", "-"}, samples().at("euc")).out, QByteArray("-: EUC-JP LF\n"));
}

TEST_F(ConvertToolTest, StandardInputFileIsReadFromWhereItStands) {
    // "a" and the two bytes of あ are consumed before the tool starts.
    QProcess process;
    process.setStandardInputFile(file("skipped.txt", samples().at("sjis")));
    process.start("/bin/sh", {"-c", "dd bs=1 count=3 status=none >/dev/null; exec \"$0\" -t euc",
                              QStringLiteral(PENLARK_BINARY_DIR "/bin/penlark-convert")});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardOutput(), samples().at("euc").mid(3));
}

TEST_F(ConvertToolTest, FailedWriteIsReported) {
    const QString good = file("good.txt", samples().at("sjis"));
    for (const QStringList& args :
         {QStringList{good}, QStringList{"--guess", good}, QStringList{"--help"}}) {
        const Result r = run(args, {}, "/dev/full");
        EXPECT_EQ(r.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("cannot write the output: No space left on device"));
    }
}

// The output's reader goes away after the first byte.
TEST_F(ConvertToolTest, ClosedPipeIsReported) {
    const QString big = file("big.txt", samples().at("sjis").repeated(100000));
    QProcess process;
    process.start("/bin/bash",
                  {"-c", "set -o pipefail; \"$0\" -t euc \"$1\" | head -c 1 >/dev/null",
                   QStringLiteral(PENLARK_BINARY_DIR "/bin/penlark-convert"), big});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardError().contains("cannot write the output: Broken pipe"));
}

// An output file that may not grow past the limit, with outputs on both sides of it.
TEST_F(ConvertToolTest, OutputPastTheFileSizeLimitIsReported) {
    const QString out = m_dir.filePath("out.txt");
    for (const qsizetype size : {100, 4096, 16383, 16385, 1 << 20}) {
        SCOPED_TRACE(size);
        const QString input = file("in.txt", QByteArray(size, 'a'));
        for (const qsizetype limit : {size - 1, size}) {
            QProcess process;
            process.setStandardOutputFile(out);
            process.setChildProcessModifier([limit] {
                const rlimit fileSize{rlim_t(limit), rlim_t(limit)};
                setrlimit(RLIMIT_FSIZE, &fileSize);
            });
            process.start(QStringLiteral(PENLARK_BINARY_DIR "/bin/penlark-convert"),
                          {"-f", "sjis", "-t", "sjis", input});
            ASSERT_TRUE(process.waitForFinished(30000));
            EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
            const bool fits = limit == size;
            EXPECT_EQ(process.exitCode(), fits ? 0 : 1);
            EXPECT_EQ(process.readAllStandardError().contains("cannot write the output"), !fits);
        }
    }
}

TEST_F(ConvertToolTest, BadArgumentsShowUsage) {
    const QString good = file("good.txt", samples().at("sjis"));
    for (const QStringList& args :
         {QStringList{"-t", "latin1", good}, QStringList{"-f"}, QStringList{"--frobnicate"},
          QStringList{"-e", "lfcr", good}, QStringList{"--guess", "-t", "euc", good}}) {
        const Result r = run(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.contains("Usage: penlark-convert"));
    }
    const Result help = run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("--narrow"));
    EXPECT_TRUE(help.err.isEmpty());
    // Options may carry their value in the same argument; "--" ends the options.
    EXPECT_EQ(run({"-tsjis", "--", good}).out, samples().at("sjis"));
}

} // namespace
