#include "platform/RegistryStore.h"
#include "tests/support/LimitedDisk.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <csignal>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

using platform::RegistryStore;
using Deletion = RegistryStore::Deletion;
using Key = RegistryStore::Key;

namespace {

const Key CurrentUser = *RegistryStore::root(0x80000001u);

class RegistryStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(u"config/registry.db"_qs);

    std::unique_ptr<RegistryStore> open() { return std::make_unique<RegistryStore>(path); }

    QStringList valueNames(RegistryStore& store, Key key) {
        QStringList names;
        for (int32_t i = 0; auto entry = store.enumValue(key, i); ++i)
            names << entry->name;
        return names;
    }

    QStringList keyNames(RegistryStore& store, Key key) {
        QStringList names;
        for (int32_t i = 0; auto name = store.enumKey(key, i); ++i)
            names << *name;
        return names;
    }
};

TEST_F(RegistryStoreTest, CreatesItsFileAndFolderOnFirstUse) {
    auto store = open();
    ASSERT_TRUE(store->isOpen());
    EXPECT_FALSE(store->isReadOnly());
    EXPECT_TRUE(QFile::exists(path));
}

TEST_F(RegistryStoreTest, NamesCompareWithoutCaseAndKeepTheirCase) {
    auto store = open();
    const auto key = store->createKey(CurrentUser, u"Software\\Ärger\\ＡＢＣ\\Σίσυφος");
    ASSERT_TRUE(key);
    EXPECT_EQ(store->openKey(CurrentUser, u"SOFTWARE\\ärger\\ａｂｃ\\ΣΊΣΥΦΟΣ"), key);
    EXPECT_EQ(store->createKey(CurrentUser, u"software\\ÄRGER\\ａＢｃ\\σίσυφοσ"), key)
        << "fullwidth and final-sigma forms fold alike, and nothing new is created";
    EXPECT_EQ(keyNames(*store, CurrentUser), QStringList{u"Software"_qs});

    ASSERT_TRUE(store->setValue(*key, u"Width", platform::REG_DWORD, QByteArray("\x01\0\0\0", 4)));
    ASSERT_TRUE(store->setValue(*key, u"wIDTH", platform::REG_DWORD, QByteArray("\x02\0\0\0", 4)));
    EXPECT_EQ(valueNames(*store, *key), QStringList{u"Width"_qs});
    EXPECT_EQ(store->queryValue(*key, u"WIDTH")->data, QByteArray("\x02\0\0\0", 4));
    EXPECT_FALSE(store->queryValue(*key, u"Widths"));
}

TEST_F(RegistryStoreTest, EnumerationFollowsCreationOrder) {
    auto store = open();
    const Key key = *store->createKey(CurrentUser, u"Order");
    for (const char16_t* name : {u"b", u"a", u"c"}) {
        store->setValue(key, name, platform::REG_SZ, "x");
        store->createKey(key, name);
    }
    EXPECT_EQ(valueNames(*store, key), (QStringList{u"b"_qs, u"a"_qs, u"c"_qs}));
    EXPECT_EQ(keyNames(*store, key), (QStringList{u"b"_qs, u"a"_qs, u"c"_qs}));

    store->setValue(key, u"A", platform::REG_SZ, "overwritten");
    EXPECT_EQ(valueNames(*store, key), (QStringList{u"b"_qs, u"a"_qs, u"c"_qs}));

    EXPECT_EQ(store->deleteValue(key, u"b"), Deletion::Deleted);
    EXPECT_TRUE(store->deleteKey(key, u"b"));
    store->setValue(key, u"b", platform::REG_SZ, "again");
    store->createKey(key, u"b");
    EXPECT_EQ(valueNames(*store, key), (QStringList{u"a"_qs, u"c"_qs, u"b"_qs}));
    EXPECT_EQ(keyNames(*store, key), (QStringList{u"a"_qs, u"c"_qs, u"b"_qs}));

    EXPECT_FALSE(store->enumValue(key, -1));
    EXPECT_FALSE(store->enumKey(key, 3));
}

TEST_F(RegistryStoreTest, ValuesKeepTheirTypeAndExactBytes) {
    QByteArray everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte.append(char(b));
    const QList<RegistryStore::Value> values{
        {platform::REG_BINARY, everyByte},
        {platform::REG_BINARY, QByteArray()},
        {platform::REG_SZ, QByteArray()},
        {platform::REG_MULTI_SZ, QByteArray("one\0two\0\0", 9)},
        {platform::REG_NONE, QByteArray("\0", 1)},
        {0x12345u, QByteArray("odd type")},
    };
    {
        auto store = open();
        const Key key = *store->createKey(CurrentUser, u"Types");
        for (int i = 0; i < values.size(); ++i)
            ASSERT_TRUE(store->setValue(key, QString::number(i), values[i].type, values[i].data));
    }
    auto store = open();
    const Key key = *store->openKey(CurrentUser, u"Types");
    for (int i = 0; i < values.size(); ++i) {
        const auto value = store->queryValue(key, QString::number(i));
        ASSERT_TRUE(value) << i;
        EXPECT_EQ(value->type, values[i].type) << i;
        EXPECT_EQ(value->data, values[i].data) << i;
    }
}

TEST_F(RegistryStoreTest, TextOutsideCodePage932ComesBackUnchanged) {
    const QString keyPath = u"Ελληνικά\\한국어\\😀 ü"_qs;
    const QString valueName = u"Ø€😀\u00A0ẞ"_qs;
    {
        auto store = open();
        const Key key = *store->createKey(CurrentUser, keyPath);
        store->setValue(key, valueName, platform::REG_SZ, keyPath.toUtf8());
    }
    auto store = open();
    const auto key = store->openKey(CurrentUser, keyPath);
    ASSERT_TRUE(key);
    EXPECT_EQ(valueNames(*store, *key), QStringList{valueName});
    EXPECT_EQ(QString::fromUtf8(store->queryValue(*key, valueName)->data), keyPath);
    EXPECT_EQ(keyNames(*store, *store->openKey(CurrentUser, u"Ελληνικά\\한국어")),
              QStringList{u"😀 ü"_qs});
}

TEST_F(RegistryStoreTest, PathsAreBackslashSeparatedWithoutEmptyNames) {
    auto store = open();
    const auto key = store->createKey(CurrentUser, u"a\\b");
    ASSERT_TRUE(key);
    EXPECT_EQ(store->openKey(*store->openKey(CurrentUser, u"a"), u"b"), key);
    EXPECT_EQ(store->openKey(*key, u""), key) << "the empty path is the key itself";
    EXPECT_EQ(store->createKey(*key, u""), key);

    for (const char16_t* bad : {u"\\a", u"a\\", u"a\\\\b", u"\\"}) {
        EXPECT_FALSE(store->createKey(CurrentUser, bad)) << QString::fromUtf16(bad).toStdString();
        EXPECT_FALSE(store->openKey(CurrentUser, bad));
        EXPECT_FALSE(store->deleteKey(CurrentUser, bad));
    }
    EXPECT_TRUE(store->createKey(CurrentUser, QString(255, u'n')));
    EXPECT_FALSE(store->createKey(CurrentUser, QString(256, u'n')));
    EXPECT_EQ(keyNames(*store, CurrentUser), (QStringList{u"a"_qs, QString(255, u'n')}));
}

TEST_F(RegistryStoreTest, RootsAreSeparateAndCannotBeDeleted) {
    EXPECT_FALSE(RegistryStore::root(0x7FFFFFFFu));
    EXPECT_FALSE(RegistryStore::root(0x80000007u));
    auto store = open();
    const Key machine = *RegistryStore::root(0x80000002u);
    store->createKey(CurrentUser, u"Only here");
    EXPECT_TRUE(store->openKey(CurrentUser, u"Only here"));
    EXPECT_FALSE(store->openKey(machine, u"Only here"));
    EXPECT_FALSE(store->deleteKey(CurrentUser, u""));
    EXPECT_FALSE(store->deleteKey(*RegistryStore::root(0x80000006u), u""));
    EXPECT_TRUE(store->openKey(*RegistryStore::root(0x80000006u), u""));
}

TEST_F(RegistryStoreTest, OnlyKeysWithoutSubkeysAreDeleted) {
    auto store = open();
    const Key parent = *store->createKey(CurrentUser, u"Parent");
    const Key child = *store->createKey(parent, u"Child");
    store->setValue(parent, u"v", platform::REG_SZ, "p");
    EXPECT_FALSE(store->deleteKey(CurrentUser, u"Parent"));
    EXPECT_TRUE(store->queryValue(parent, u"v"));

    EXPECT_TRUE(store->deleteKey(CurrentUser, u"parent\\CHILD"));
    EXPECT_FALSE(store->openKey(parent, u"Child"));
    EXPECT_FALSE(store->deleteKey(parent, u"Child"));
    EXPECT_TRUE(store->deleteKey(CurrentUser, u"Parent"));
    EXPECT_FALSE(store->openKey(CurrentUser, u"Parent"));

    // A key made again is a new key, not the deleted one.
    const Key again = *store->createKey(CurrentUser, u"Parent");
    EXPECT_NE(again, parent);
    EXPECT_NE(again, child);
    EXPECT_FALSE(store->queryValue(again, u"v")) << "the values went with the key";
}

TEST_F(RegistryStoreTest, AKeyDeletedUnderAHandleRefusesEverything) {
    auto store = open();
    const Key key = *store->createKey(CurrentUser, u"Doomed");
    store->setValue(key, u"v", platform::REG_SZ, "x");
    // Another process deletes the key.
    open()->deleteKey(CurrentUser, u"Doomed");

    EXPECT_FALSE(store->setValue(key, u"v", platform::REG_SZ, "y"));
    EXPECT_FALSE(store->queryValue(key, u"v"));
    EXPECT_EQ(store->deleteValue(key, u"v"), Deletion::Failed);
    EXPECT_EQ(store->deleteValue(key, u"never there"), Deletion::Failed);
    EXPECT_FALSE(store->createKey(key, u"child"));
    EXPECT_FALSE(store->createKey(key, u""));
    EXPECT_FALSE(store->openKey(key, u""));
    EXPECT_FALSE(store->enumValue(key, 0));
    EXPECT_FALSE(store->openKey(CurrentUser, u"Doomed"));
}

TEST_F(RegistryStoreTest, DeletingAValueTellsMissingFromDeleted) {
    auto store = open();
    const Key key = *store->createKey(CurrentUser, u"Values");
    store->setValue(key, u"Name", platform::REG_SZ, "x");
    EXPECT_EQ(store->deleteValue(key, u"NAME"), Deletion::Deleted);
    EXPECT_EQ(store->deleteValue(key, u"Name"), Deletion::NotFound);
    EXPECT_FALSE(store->queryValue(key, u"Name"));
}

TEST_F(RegistryStoreTest, TwoStoresOnOneFileSeeEachOthersWrites) {
    auto first = open();
    auto second = open();
    const Key key = *first->createKey(CurrentUser, u"Shared");
    ASSERT_EQ(second->openKey(CurrentUser, u"shared"), key);
    first->setValue(key, u"v", platform::REG_SZ, "1");
    EXPECT_EQ(second->queryValue(key, u"v")->data, "1");
    second->setValue(key, u"v", platform::REG_SZ, "2");
    EXPECT_EQ(first->queryValue(key, u"v")->data, "2");
}

TEST_F(RegistryStoreTest, AFileThatIsNoDatabaseIsMovedAsideAndReplaced) {
    const QByteArray garbage = QByteArray("this is not a database\n").repeated(200);
    QDir().mkpath(QFileInfo(path).absolutePath());
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(garbage);
    }
    testing::internal::CaptureStderr();
    auto store = open();
    const std::string warning = testing::internal::GetCapturedStderr();

    ASSERT_TRUE(store->isOpen());
    EXPECT_NE(warning.find("moved it to"), std::string::npos) << warning;
    const QStringList aside =
        QFileInfo(path).dir().entryList({u"registry.db.corrupt-*"_qs}, QDir::Files);
    ASSERT_EQ(aside.size(), 1);
    EXPECT_TRUE(QRegularExpression(u"^registry\\.db\\.corrupt-\\d{8}-\\d{6}$"_qs)
                    .match(aside.first())
                    .hasMatch())
        << aside.first().toStdString();
    QFile moved(QFileInfo(path).dir().filePath(aside.first()));
    ASSERT_TRUE(moved.open(QIODevice::ReadOnly));
    EXPECT_EQ(moved.readAll(), garbage) << "the damaged file is kept as it was";

    const auto key = store->createKey(CurrentUser, u"Fresh");
    ASSERT_TRUE(key);
    EXPECT_TRUE(store->setValue(*key, u"v", platform::REG_SZ, "ok"));
}

TEST_F(RegistryStoreTest, ADamagedDatabaseIsMovedAsideToo) {
    {
        auto store = open();
        const Key key = *store->createKey(CurrentUser, u"Soon damaged");
        for (int i = 0; i < 200; ++i)
            store->setValue(key, QString::number(i), platform::REG_BINARY, QByteArray(100, 'x'));
    }
    {
        // Wreck the pages after the header page, keeping the header intact.
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_GT(file.size(), 8192);
        file.seek(4096);
        file.write(QByteArray(file.size() - 4096, '\xA5'));
    }
    testing::internal::CaptureStderr();
    auto store = open();
    testing::internal::GetCapturedStderr();
    ASSERT_TRUE(store->isOpen());
    EXPECT_FALSE(store->openKey(CurrentUser, u"Soon damaged"));
    EXPECT_EQ(QFileInfo(path).dir().entryList({u"registry.db.corrupt-*"_qs}, QDir::Files).size(),
              1);
}

// Takes write permission from a file; root needs the immutable flag besides.
class WriteProtection {
public:
    explicit WriteProtection(const QString& path) : m_path(QFile::encodeName(path)) {
        ::chmod(m_path.constData(), 0444);
        if (::geteuid() == 0)
            setImmutable(true);
    }
    ~WriteProtection() {
        if (::geteuid() == 0)
            setImmutable(false);
        ::chmod(m_path.constData(), 0644);
    }
    bool holds() const {
        const int fd = ::open(m_path.constData(), O_RDWR);
        if (fd >= 0)
            ::close(fd);
        return fd < 0;
    }

private:
    void setImmutable(bool on) {
        const int fd = ::open(m_path.constData(), O_RDONLY);
        int flags = 0;
        if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
            ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
        }
        if (fd >= 0)
            ::close(fd);
    }

    QByteArray m_path;
};

// Reads everything from a store whose file cannot be written, and changes nothing.
void expectReadOnlyStore(RegistryStore& store, Key key) {
    ASSERT_TRUE(store.isOpen());
    EXPECT_TRUE(store.isReadOnly());
    EXPECT_EQ(store.openKey(CurrentUser, u"Kept"), key);
    EXPECT_EQ(store.createKey(CurrentUser, u"Kept"), key) << "an existing key needs no write";
    EXPECT_EQ(store.queryValue(key, u"v")->data, "kept");
    EXPECT_EQ(store.enumValue(key, 0)->name, u"v"_qs);

    EXPECT_FALSE(store.setValue(key, u"v", platform::REG_SZ, "changed"));
    EXPECT_FALSE(store.createKey(CurrentUser, u"New"));
    EXPECT_EQ(store.deleteValue(key, u"v"), Deletion::Failed);
    EXPECT_FALSE(store.deleteKey(CurrentUser, u"Kept"));
    EXPECT_EQ(store.queryValue(key, u"v")->data, "kept");
}

Key storeKeptValue(const QString& path) {
    RegistryStore store(path);
    const Key key = *store.createKey(CurrentUser, u"Kept");
    store.setValue(key, u"v", platform::REG_SZ, "kept");
    return key;
}

TEST_F(RegistryStoreTest, AFileWithoutWritePermissionIsReadButNotWritten) {
    const Key key = storeKeptValue(path);
    WriteProtection protection(path);
    if (!protection.holds())
        GTEST_SKIP() << "this file system cannot take write permission away";
    expectReadOnlyStore(*open(), key);
}

// There the log's shared memory cannot be made, which a read needs unless the file is taken
// as unchangeable.
TEST_F(RegistryStoreTest, AStoreOnAReadOnlyFileSystemIsReadButNotWritten) {
    const QString folder = dir.filePath(u"mounted"_qs);
    ASSERT_TRUE(QDir().mkpath(folder));
    const std::optional<int> status = runOnSmallDisk(folder, 1 << 20, [&] {
        const QString mounted = folder + u"/registry.db"_qs;
        const Key kept = storeKeptValue(mounted);
        const QByteArray where = QFile::encodeName(folder);
        if (mount(nullptr, where.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            return int(limited_disk::MountRefused);
        RegistryStore store(mounted);
        expectReadOnlyStore(store, kept);
        return ::testing::Test::HasFailure() ? 1 : 0;
    });
    if (!status)
        GTEST_SKIP() << "mounting is refused here: the read-only file system case did not run";
    EXPECT_EQ(*status, 0);
}

TEST(RegistryStorePathTest, DefaultPathFollowsTheEnvironment) {
    const QByteArray explicitPath = qgetenv("ORVENLY_REGISTRY");
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");

    qputenv("ORVENLY_REGISTRY", "/somewhere/my.db");
    EXPECT_EQ(RegistryStore::defaultPath(), u"/somewhere/my.db"_qs);
    qunsetenv("ORVENLY_REGISTRY");
    qputenv("XDG_CONFIG_HOME", "/xdg");
    EXPECT_EQ(RegistryStore::defaultPath(), u"/xdg/orvenly/registry.db"_qs);
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(RegistryStore::defaultPath(), QDir::homePath() + u"/.config/orvenly/registry.db"_qs);

    if (!explicitPath.isNull())
        qputenv("ORVENLY_REGISTRY", explicitPath);
    if (!config.isNull())
        qputenv("XDG_CONFIG_HOME", config);
}

TEST_F(RegistryStoreTest, EveryReportedCommitSurvivesAKill) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QProcess writer;
    writer.start(QStringLiteral(PENLARK_BINARY_DIR "/bin/registry-crash-writer"), {path});
    ASSERT_TRUE(writer.waitForStarted());

    // Kill it in the middle of its stream of writes.
    QByteArray output;
    while (output.count('\n') < 300 && writer.state() == QProcess::Running) {
        writer.waitForReadyRead(10000);
        output += writer.readAllStandardOutput();
    }
    ASSERT_EQ(writer.state(), QProcess::Running) << output.toStdString();
    ::kill(pid_t(writer.processId()), SIGKILL);
    ASSERT_TRUE(writer.waitForFinished());
    EXPECT_EQ(writer.exitStatus(), QProcess::CrashExit);
    output += writer.readAllStandardOutput();

    // A line cut short by the kill is no report.
    QList<QByteArray> lines = output.split('\n');
    lines.removeLast();
    ASSERT_GE(lines.size(), 300);
    auto store = open();
    ASSERT_TRUE(store->isOpen());
    const auto key = store->openKey(CurrentUser, u"Crash");
    ASSERT_TRUE(key);
    for (int i = 0; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i].toInt(), i);
        const auto value = store->queryValue(*key, QString::number(i));
        ASSERT_TRUE(value) << "committed write " << i << " was lost";
        EXPECT_EQ(value->data, QByteArray::number(i).repeated(40));
    }
    EXPECT_TRUE(
        QFileInfo(path).dir().entryList({u"registry.db.corrupt-*"_qs}, QDir::Files).isEmpty());
}

} // namespace
