#include <gtest/gtest.h>

#include <platform/Cp932.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct Result {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

class TdbToolTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    // The text in code page 932, lines ended by CR LF.
    QString file(const QString& name, const QStringList& lines) {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(platform::cp932::encode(lines.join(u"\r\n"_qs) + u"\r\n"_qs));
        return path;
    }

    static Result run(const QStringList& args) {
        QProcess process;
        process.start(QStringLiteral(PENLARK_BINARY_DIR "/bin/orvenly-tdb"), args);
        EXPECT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        return {process.exitCode(), process.readAllStandardOutput(),
                process.readAllStandardError()};
    }

    QTemporaryDir m_dir;
};

const QStringList BlockFile{u"% DIR c:\\\\tmp"_qs,
                            u"BEGIN % base"_qs,
                            u"Color red"_qs,
                            u"END"_qs,
                            u"BEGIN Form main"_qs,
                            u"%base"_qs,
                            u"Path \"%DIR\\\\x\""_qs,
                            u"BEGIN Label 名前"_qs,
                            u"Caption 値"_qs,
                            u"END"_qs,
                            u"END"_qs};

} // namespace

TEST_F(TdbToolTest, PrintsABlockFileAsIniText) {
    const Result r = run({file(u"form.txt"_qs, BlockFile)});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(r.out),
              u"[Form]\r\n\r\n[Form\\main]\r\nColor=red\r\nPath=c:\\tmp\\x\r\n\r\n"
              u"[Form\\main\\Label]\r\n\r\n[Form\\main\\Label\\名前]\r\nCaption=値\r\n\r\n"_qs);
}

TEST_F(TdbToolTest, PrintsAnOutline) {
    const Result r = run({u"--tree"_qs, file(u"form.txt"_qs, BlockFile)});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(QString::fromUtf8(r.out), u"[Form]\n"
                                        u"  [main]\n"
                                        u"    Color = red\n"
                                        u"    Path = c:\\tmp\\x\n"
                                        u"    [Label]\n"
                                        u"      [名前]\n"
                                        u"        Caption = 値\n"_qs);
}

TEST_F(TdbToolTest, ReadsBothIniFormats) {
    const QString ini = file(u"a.ini"_qs, {u"[a\\b]"_qs, u"k = \"v\""_qs});
    EXPECT_EQ(run({u"--from"_qs, u"ini"_qs, u"--tree"_qs, ini}).out, "[a\\b]\n  k = v\n");
    EXPECT_EQ(run({u"--from=ini-tree"_qs, u"--tree"_qs, ini}).out, "[a]\n  [b]\n    k = v\n");
}

TEST_F(TdbToolTest, ControlCharactersKeepToTheirLineInTheOutline) {
    const QString path = m_dir.filePath(u"lf.ini"_qs);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[a]\r\nk=1\n2\x1b\r\n");
    f.close();
    EXPECT_EQ(run({u"--from"_qs, u"ini"_qs, u"--tree"_qs, path}).out, "[a]\n  k = 1\\n2\\x1b\n");
}

TEST_F(TdbToolTest, AFileThatDoesNotLoadGivesStatusOne) {
    const Result stray = run({file(u"bad.txt"_qs, {u"BEGIN A a"_qs, u"END"_qs, u"Stray 1"_qs})});
    EXPECT_EQ(stray.exitCode, 1);
    EXPECT_TRUE(stray.out.isEmpty());
    EXPECT_TRUE(stray.err.contains("line 3: a key is set outside any block"));

    const Result missing = run({m_dir.filePath(u"missing"_qs)});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("No such file"));
}

TEST_F(TdbToolTest, BadArgumentsGiveStatusTwo) {
    const QString ok = file(u"ok.txt"_qs, {});
    EXPECT_EQ(run({}).exitCode, 2);
    EXPECT_EQ(run({u"--from"_qs, u"xml"_qs, ok}).exitCode, 2);
    EXPECT_EQ(run({u"--from"_qs}).exitCode, 2);
    EXPECT_EQ(run({u"--frame"_qs, ok}).exitCode, 2);
    EXPECT_EQ(run({ok, ok}).exitCode, 2);
    const Result help = run({u"--help"_qs});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: orvenly-tdb"));
}
