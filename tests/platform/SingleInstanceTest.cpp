#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QUuid>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

using namespace Qt::StringLiterals;

const QString ProbeProgram = QStringLiteral(PENLARK_BINARY_DIR "/bin/single-instance-probe");

QString uniqueName() {
    return u"penlark-test-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces).left(8);
}

// A probe process with its output so far.
struct Probe {
    QProcess process;
    QByteArray output;

    void start(const QString& name, const QStringList& files = {}) {
        process.start(ProbeProgram, QStringList{name} + files);
    }
    // Reads until the output holds text or the process ends.
    bool waitFor(const QByteArray& text, int timeoutMs = 10000) {
        QElapsedTimer clock;
        clock.start();
        while (!output.contains(text) && clock.elapsed() < timeoutMs) {
            if (process.state() == QProcess::NotRunning && !process.bytesAvailable())
                break;
            process.waitForReadyRead(100);
            output += process.readAllStandardOutput();
        }
        return output.contains(text);
    }
    ~Probe() {
        if (process.state() != QProcess::NotRunning) {
            process.closeWriteChannel();
            if (!process.waitForFinished(5000))
                process.kill();
            process.waitForFinished(5000);
        }
    }
};

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char program[] = "test_platform";
            static char* argv[] = {program, nullptr};
            new QCoreApplication(argc, argv);
        }
    }
    const QString name = uniqueName();
};

TEST_F(SingleInstanceTest, SecondStartKnocksOnTheFirstAndEnds) {
    Probe first;
    first.start(name);
    ASSERT_TRUE(first.waitFor("primary\n")) << first.output.toStdString();

    for (int start = 1; start <= 2; ++start) {
        Probe second;
        second.start(name);
        ASSERT_TRUE(second.process.waitForFinished(10000));
        EXPECT_EQ(second.process.exitCode(), 0);
        EXPECT_EQ(second.process.readAllStandardOutput(), "secondary\n");
        EXPECT_TRUE(first.waitFor(QByteArray("knocked\n").repeated(start)))
            << first.output.toStdString();
    }
    EXPECT_EQ(first.process.state(), QProcess::Running);
}

// Names are made absolute against the second start's own working folder and arrive in order,
// whatever they hold.
TEST_F(SingleInstanceTest, SecondStartHandsItsFilesToTheFirst) {
    Probe first;
    first.start(name);
    ASSERT_TRUE(first.waitFor("primary\n")) << first.output.toStdString();

    const QString folder = QDir::tempPath();
    Probe second;
    second.process.setWorkingDirectory(folder);
    second.start(name, {u"/abs/a.txt"_s, u"b c.txt"_s, u"sub/日本語.txt"_s});
    ASSERT_TRUE(second.process.waitForFinished(10000));
    EXPECT_EQ(second.process.readAllStandardOutput(), "secondary\n");
    const QString expected =
        u"knocked /abs/a.txt|"_s + folder + u"/b c.txt|"_s + folder + u"/sub/日本語.txt\n"_s;
    EXPECT_TRUE(first.waitFor(expected.toLocal8Bit())) << first.output.toStdString();
}

TEST_F(SingleInstanceTest, SocketLeftByACrashIsTakenOver) {
    {
        Probe crashed;
        crashed.start(name);
        ASSERT_TRUE(crashed.waitFor("primary\n"));
        crashed.process.kill();
        crashed.process.waitForFinished(5000);
    }
    const QString socket = platform::SingleInstance::serverName(name);
    EXPECT_TRUE(
        QFileInfo::exists(QDir::isAbsolutePath(socket) ? socket : QDir::temp().filePath(socket)))
        << "the crash should leave its socket behind";

    Probe next;
    next.start(name);
    ASSERT_TRUE(next.waitFor("primary\n")) << next.output.toStdString();
    Probe later;
    later.start(name);
    ASSERT_TRUE(later.process.waitForFinished(10000));
    EXPECT_EQ(later.process.readAllStandardOutput(), "secondary\n");
    EXPECT_TRUE(next.waitFor("knocked\n"));
}

TEST_F(SingleInstanceTest, OfStartsAtTheSameTimeOneBecomesTheInstance) {
    std::vector<std::unique_ptr<Probe>> starts;
    for (int i = 0; i < 4; ++i) {
        starts.push_back(std::make_unique<Probe>());
        starts.back()->start(name);
    }
    int primaries = 0;
    for (auto& start : starts) {
        ASSERT_TRUE(start->waitFor("\n")) << start->output.toStdString();
        primaries += start->output.startsWith("primary\n") ? 1 : 0;
    }
    EXPECT_EQ(primaries, 1);
}

TEST_F(SingleInstanceTest, InstanceThatEndedFreesTheName) {
    {
        Probe ended;
        ended.start(name);
        ASSERT_TRUE(ended.waitFor("primary\n"));
        ended.process.closeWriteChannel();
        ASSERT_TRUE(ended.process.waitForFinished(5000));
    }
    EXPECT_FALSE(platform::SingleInstance::notifyPrimary(name, {}, 500));
    platform::SingleInstance instance;
    EXPECT_TRUE(instance.tryBecomePrimary(name));
}

TEST_F(SingleInstanceTest, WithinOneProcessOnlyTheFirstHoldsTheName) {
    platform::SingleInstance first;
    ASSERT_TRUE(first.tryBecomePrimary(name));
    int knocks = 0;
    first.setKnockHandler([&](const QStringList&) { ++knocks; });

    platform::SingleInstance second;
    EXPECT_FALSE(second.tryBecomePrimary(name));
    // The probe of the second start is no knock.
    QCoreApplication::processEvents();
    EXPECT_EQ(knocks, 0);

    platform::SingleInstance other;
    EXPECT_TRUE(other.tryBecomePrimary(uniqueName()));
}

TEST_F(SingleInstanceTest, NamesArePerProgramAndUser) {
    const QString full = platform::SingleInstance::serverName(u"Penlark"_s);
    EXPECT_NE(full, platform::SingleInstance::serverName(u"Other"_s));
    EXPECT_TRUE(full.contains(u"Penlark"_s));
    EXPECT_EQ(full, platform::SingleInstance::serverName(u"Penlark"_s));

    // Without a session's runtime folder the socket still lives in a folder of the user's
    // own, where no other user can take the name first.
    const QByteArray session = qgetenv("XDG_RUNTIME_DIR");
    qunsetenv("XDG_RUNTIME_DIR");
    const QString fallback = platform::SingleInstance::serverName(u"Penlark"_s);
    if (!session.isNull())
        qputenv("XDG_RUNTIME_DIR", session);
    ASSERT_TRUE(QDir::isAbsolutePath(fallback)) << fallback.toStdString();
    const QFileInfo folder(QFileInfo(fallback).absolutePath());
    EXPECT_EQ(folder.ownerId(), getuid());
    const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                        QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    EXPECT_FALSE(folder.permissions() & others);
}

} // namespace
