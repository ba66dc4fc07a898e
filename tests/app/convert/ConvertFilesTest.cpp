#include "ConvertToolSupport.h"

#include <QDir>
#include <QFile>

#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// "a" LF "あ" LF "ⅰ" LF in Shift_JIS: the IBM numeral FA 40 has no place in EUC-JP or JIS.
const QByteArray IbmNumeral = bytes({0x61, 0x0A, 0x82, 0xA0, 0x0A, 0xFA, 0x40, 0x0A});

class ConvertFilesTest : public ConvertToolTest {
protected:
    // The files of the folder name, made afresh from contents.
    QStringList folder(const QString& name, const std::map<QString, QByteArray>& contents) {
        QDir dir(m_dir.filePath(name));
        dir.removeRecursively();
        EXPECT_TRUE(QDir().mkpath(dir.path()));
        QStringList paths;
        for (const auto& [file, content] : contents) {
            paths += dir.filePath(file);
            writeFile(paths.back(), content);
        }
        return paths;
    }
    static void writeFile(const QString& path, const QByteArray& content) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    static QByteArray contents(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static ino_t inode(const QString& path) {
        struct stat info {};
        return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
    }
};

// Files in every charset and break code, ASCII and empty ones too.
std::map<QString, QByteArray> mixedFiles() {
    return {{"sjis.txt", samples().at("sjis")},
            {"euc.txt", samples().at("euc")},
            {"jis.txt", samples().at("jis")},
            {"crlf.txt", QByteArray(samples().at("sjis")).replace("\n", "\r\n")},
            {"ascii.txt", "plain\rtext\r"},
            {"empty.txt", ""}};
}

} // namespace

TEST_F(ConvertFilesTest, InPlaceAndDirectoryRunsGiveWhatStandardOutputGets) {
    const QString out = m_dir.filePath("out");
    ASSERT_TRUE(QDir().mkpath(out));
    for (const char* to : {"sjis", "euc", "jis", "utf8"}) {
        for (const char* lineBreak : {"keep", "lf", "crlf"}) {
            SCOPED_TRACE(std::string(to) + " " + lineBreak);
            const QStringList options = {"-t", to, "-e", lineBreak};
            const QStringList originals = folder("originals", mixedFiles());
            const QStringList rewritten = folder("rewritten", mixedFiles());
            Result r = run(options + QStringList{"--in-place"} + rewritten);
            EXPECT_EQ(r.exitCode, 0);
            EXPECT_TRUE(r.err.isEmpty()) << r.err.data();
            r = run(options + QStringList{"-o", out} + originals);
            EXPECT_EQ(r.exitCode, 0);
            EXPECT_TRUE(r.out.isEmpty());
            for (qsizetype k = 0; k < originals.size(); ++k) {
                const QByteArray expected = run(options + QStringList{originals[k]}).out;
                EXPECT_EQ(contents(rewritten[k]), expected) << rewritten[k].toStdString();
                EXPECT_EQ(contents(QDir(out).filePath(QFileInfo(originals[k]).fileName())),
                          expected)
                    << originals[k].toStdString();
            }
        }
    }
}

TEST_F(ConvertFilesTest, FilesThatWouldNotChangeAreNotRewritten) {
    const QStringList files = folder("same", {{"euc.txt", samples().at("euc")},
                                              {"ascii.txt", "plain\n"},
                                              {"sjis.txt", samples().at("sjis")}});
    const ino_t euc = inode(files[0]);
    const ino_t ascii = inode(files[1]);
    const ino_t sjis = inode(files[2]);
    const Result r = run({"--overwrite", "-t", "EUC-JP", files[0], files[1], files[2]});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(inode(files[0]), euc);
    EXPECT_EQ(inode(files[1]), ascii);
    EXPECT_NE(inode(files[2]), sjis);
    EXPECT_EQ(contents(files[2]), samples().at("euc"));
}

TEST_F(ConvertFilesTest, CharactersTheTargetLacksLeaveTheFileAsItWas) {
    const QStringList files =
        folder("lost", {{"a-ibm.txt", IbmNumeral}, {"b-good.txt", samples().at("sjis")}});
    for (const char* to : {"euc", "jis"}) {
        SCOPED_TRACE(to);
        const Result inPlace = run({"--in-place", "-t", to, files[0]});
        EXPECT_EQ(inPlace.exitCode, 1);
        EXPECT_EQ(contents(files[0]), IbmNumeral);
        EXPECT_TRUE(
            inPlace.err.contains(files[0].toUtf8() + ": 1 character that " +
                                 (to == std::string("euc") ? "EUC-JP" : "ISO-2022-JP") +
                                 " cannot hold, the first at line 3 (U+2170); left as it was"))
            << inPlace.err.data();
        EXPECT_EQ(QDir(m_dir.filePath("lost")).entryList(QDir::Files).size(), 2); // no leftovers
    }
    // On standard output the file gives nothing and the next one still comes.
    const Result refused = run({"-t", "euc", files[0], files[1]});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.out, samples().at("euc"));
    EXPECT_TRUE(refused.err.contains("the output stops before it (--lossy writes \"?\" for them)"));
    // Lossy: "?" in its place, said on standard error, and success.
    const Result lossy = run({"--lossy", "-t", "euc", "--in-place", files[0]});
    EXPECT_EQ(lossy.exitCode, 0);
    EXPECT_EQ(contents(files[0]), bytes({0x61, 0x0A, 0xA4, 0xA2, 0x0A, 0x3F, 0x0A}));
    EXPECT_TRUE(lossy.err.contains("written as \"?\""));
}

TEST_F(ConvertFilesTest, OnStandardOutputARefusedFileStopsBeforeItsTrouble) {
    // Many pieces of conversion before the line with ⅰ; the same with one file at a time
    // and with files in parallel.
    const QByteArray text = QByteArray("\x82\xA0\n").repeated(100000) + "\xFA\x40\nend\n";
    const QString big = file("big.txt", text);
    const QString good = file("good.txt", samples().at("sjis"));
    const QByteArray lossy = run({"--lossy", "-t", "euc", big}).out;
    for (const char* jobs : {"1", "2"}) {
        const Result r = run({"-j", jobs, "-t", "euc", big, good});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains("at line 100001 (U+2170); the output stops before it"));
        const QByteArray written = r.out.chopped(samples().at("euc").size());
        EXPECT_TRUE(r.out.endsWith(samples().at("euc")));
        EXPECT_FALSE(written.isEmpty());
        EXPECT_LT(written.size(), lossy.size());
        EXPECT_TRUE(lossy.startsWith(written));
    }
}

TEST_F(ConvertFilesTest, FailedRewriteLeavesTheFileIntact) {
    const QStringList files = folder("failing", {{"big.txt", samples().at("euc").repeated(400)},
                                                 {"locked.txt", samples().at("euc")}});
    // No write bit: refused even for the superuser.
    ASSERT_EQ(::chmod(QFile::encodeName(files[1]).constData(), 0444), 0);
    Result r = run({"--in-place", "-t", "utf8", files[1]});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(files[1].toUtf8() + ": cannot write")) << r.err.data();
    EXPECT_EQ(contents(files[1]), samples().at("euc"));

    // The converted text (UTF-8 is longer) does not fit under the file-size limit.
    QProcess process;
    process.setChildProcessModifier([] {
        const rlimit fileSize{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &fileSize);
    });
    process.start(QStringLiteral(PENLARK_BINARY_DIR "/bin/penlark-convert"),
                  {"--in-place", "-t", "utf8", files[0]});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardError().contains("; left as it was"));
    EXPECT_EQ(contents(files[0]), samples().at("euc").repeated(400));
    EXPECT_EQ(QDir(m_dir.filePath("failing")).entryList(QDir::Files).size(), 2);
}

TEST_F(ConvertFilesTest, ParallelRunsGiveTheSameResults) {
    std::map<QString, QByteArray> files;
    for (int k = 0; k < 40; ++k) {
        const QString name = QStringLiteral("f%1.txt").arg(k, 2, 10, QChar(u'0'));
        switch (k % 4) {
        case 0:
            files[name] = samples().at("sjis").repeated(k + 1);
            break;
        case 1:
            files[name] = samples().at("jis").repeated(k + 1);
            break;
        case 2:
            files[name] = k % 8 == 2 ? IbmNumeral : QByteArray("bin\0ary", 7);
            break;
        default:
            files[name] = samples().at("euc");
            break;
        }
    }
    std::map<int, std::vector<QByteArray>> outcomes;
    for (const int jobs : {1, 4}) {
        const QStringList paths = folder(QStringLiteral("jobs%1").arg(jobs), files);
        QStringList renamed = paths;
        renamed.replaceInStrings(QStringLiteral("jobs%1").arg(jobs), QStringLiteral("jobs"));
        const QStringList args = QStringList{"-j", QString::number(jobs), "-t", "euc"} + paths;
        Result r = run(args + QStringList{m_dir.filePath("missing.txt")});
        EXPECT_EQ(r.exitCode, 1);
        outcomes[jobs].push_back(r.out);
        outcomes[jobs].push_back(
            r.err.replace(QStringLiteral("jobs%1").arg(jobs).toUtf8(), "jobs"));
        r = run(QStringList{"--in-place"} + args);
        EXPECT_EQ(r.exitCode, 1);
        outcomes[jobs].push_back(
            r.err.replace(QStringLiteral("jobs%1").arg(jobs).toUtf8(), "jobs"));
        for (const QString& path : paths) {
            outcomes[jobs].push_back(contents(path));
        }
    }
    EXPECT_EQ(outcomes[1], outcomes[4]);
    EXPECT_TRUE(outcomes[1][1].contains("not text"));
}

TEST_F(ConvertFilesTest, CharsetNamesAsIconvAndNkfUsersWriteThem) {
    const QString sjis = file("sjis.txt", samples().at("sjis"));
    const QString euc = file("euc.txt", samples().at("euc"));
    for (const char* name : {"SHIFT_JIS", "Shift-JIS", "SJIS", "cp932", "MS932", "Windows-31J"}) {
        EXPECT_EQ(run({"-t", name, euc}).out, samples().at("sjis")) << name;
    }
    for (const char* name : {"EUC-JP", "eucjp", "EUCJP-MS", "ujis"}) {
        EXPECT_EQ(run({"-t", name, "-f", "SJIS", sjis}).out, samples().at("euc")) << name;
    }
    for (const char* name : {"ISO-2022-JP", "iso2022jp", "JIS"}) {
        EXPECT_EQ(run({"-t", name, sjis}).out, samples().at("jis")) << name;
    }
    EXPECT_EQ(run({"-t", "UTF-8", "-f", "EUC-JP", euc}).out, samples().at("utf8"));
}

TEST_F(ConvertFilesTest, ProgressLineOnlyOnATerminal) {
    const QString a = file("a.txt", samples().at("sjis"));
    const QString b = file("b.txt", samples().at("euc"));
    const Result plain = run({"--in-place", "-t", "euc", a, b});
    EXPECT_EQ(plain.exitCode, 0);
    EXPECT_TRUE(plain.err.isEmpty());
    // Under a terminal of its own (script gives it one).
    QProcess process;
    process.start("script", {"-qec",
                             QStringLiteral(PENLARK_BINARY_DIR "/bin/penlark-convert") +
                                 " -t sjis --in-place " + a + " " + b,
                             "/dev/null"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    const QByteArray screen = process.readAllStandardOutput();
    EXPECT_TRUE(screen.contains("2 of 2 files done")) << screen.data();
    EXPECT_TRUE(screen.endsWith("\r\x1B[K")) << screen.data(); // and cleared at the end
}

TEST_F(ConvertFilesTest, FileOptionsThatCannotWork) {
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath("same")));
    const QString a = file("same/a.txt", {});
    const QString sameName = file("a.txt", samples().at("sjis"));
    const QString out = m_dir.filePath("out");
    ASSERT_TRUE(QDir().mkpath(out));
    for (const QStringList& args :
         {QStringList{"--in-place", "-o", out, sameName},
          QStringList{"-o", out, "--overwrite", sameName}, QStringList{"--in-place", "-"},
          QStringList{"-o", out, "-"}, QStringList{"-o", m_dir.filePath("nowhere"), sameName},
          QStringList{"-o", out, sameName, a}, QStringList{"-j", "0", sameName},
          QStringList{"-j", "two", sameName}, QStringList{"--guess", "--in-place", sameName}}) {
        const Result r = run(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("Usage: penlark-convert")) << args.join(' ').toStdString();
    }
    EXPECT_EQ(contents(sameName), samples().at("sjis"));
    EXPECT_TRUE(QDir(out).isEmpty());
}
