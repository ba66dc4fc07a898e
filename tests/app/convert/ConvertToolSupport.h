#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <initializer_list>
#include <map>
#include <string>

// Runs the built penlark-convert on files of a temporary folder.

inline QByteArray bytes(std::initializer_list<unsigned char> list) {
    QByteArray result;
    for (unsigned char b : list) {
        result.append(char(b));
    }
    return result;
}

// "aあ東京" LF "ｱ" LF in every charset. 京 ends in 0xFE in EUC-JP, which only EUC-JP allows,
// so each form is recognised as what it is.
inline const std::map<std::string, QByteArray>& samples() {
    static const std::map<std::string, QByteArray> forms = {
        {"sjis", bytes({0x61, 0x82, 0xA0, 0x93, 0x8C, 0x8B, 0x9E, 0x0A, 0xB1, 0x0A})},
        {"euc", bytes({0x61, 0xA4, 0xA2, 0xC5, 0xEC, 0xB5, 0xFE, 0x0A, 0x8E, 0xB1, 0x0A})},
        {"jis", QByteArray("a\x1B$B$\"El5~\x1B(B\n\x1B(I1\x1B(B\n")},
        {"utf8", QByteArray("a\xE3\x81\x82\xE6\x9D\xB1\xE4\xBA\xAC\n\xEF\xBD\xB1\n")},
    };
    return forms;
}

struct Result {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

class ConvertToolTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString file(const QString& name, const QByteArray& content) {
        QString path = m_dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return path;
    }

    static Result run(const QStringList& args, const QByteArray& input = {},
                      const QString& outputFile = {}) {
        QProcess process;
        if (!outputFile.isEmpty()) {
            process.setStandardOutputFile(outputFile);
        }
        process.start(QStringLiteral(PENLARK_BINARY_DIR "/bin/penlark-convert"), args);
        EXPECT_TRUE(process.waitForStarted());
        process.write(input);
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        return {process.exitCode(), process.readAllStandardOutput(),
                process.readAllStandardError()};
    }

    Result convert(const QStringList& options, const QByteArray& content) {
        return run(options + QStringList{file(QStringLiteral("in.txt"), content)});
    }

    QTemporaryDir m_dir;
};
