#include "orvenly/Archive.h"
#include "orvenly/AutomationError.h"
#include "orvenly/IPersist.h"
#include "tests/support/LimitedDisk.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

using namespace orvenly;

namespace {

class ArchiveTest : public ::testing::Test {
protected:
    QString path(const QString& name = QStringLiteral("archive.bin")) const {
        return m_dir.filePath(name);
    }

    QByteArray contents(const QString& name = QStringLiteral("archive.bin")) const {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    void setContents(const QByteArray& bytes) const {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    void storeSample(int32_t bufSize) const {
        Archive archive;
        archive.OpenArchive(path(), true, bufSize);
        archive.WriteLong(1);
        archive.WriteString(QStringLiteral("ab"));
        archive.WriteLong(-1);
        archive.CloseArchive();
    }

    QTemporaryDir m_dir;
};

TEST_F(ArchiveTest, StoresLongsAndStringsInTheDocumentedLayout) {
    storeSample(Archive::DefaultBufferSize);
    EXPECT_EQ(contents(), QByteArray::fromHex("010000000400000061006200FFFFFFFF"));

    Archive archive;
    archive.OpenArchive(path(), false);
    EXPECT_EQ(archive.ReadLong(), 1);
    EXPECT_EQ(archive.ReadString(), QStringLiteral("ab"));
    EXPECT_EQ(archive.ReadLong(), -1);
}

TEST_F(ArchiveTest, SmallestBufferGivesTheSameFileAndReadsItBack) {
    storeSample(4);
    EXPECT_EQ(contents(), QByteArray::fromHex("010000000400000061006200FFFFFFFF"));

    Archive archive;
    archive.OpenArchive(path(), false, 4);
    EXPECT_EQ(archive.ReadLong(), 1);
    EXPECT_EQ(archive.ReadString(), QStringLiteral("ab"));
    EXPECT_EQ(archive.ReadLong(), -1);
}

TEST_F(ArchiveTest, EmptyStringIsALoneZeroLong) {
    Archive archive;
    archive.OpenArchive(path(), true);
    archive.WriteString(QString());
    archive.WriteString(QStringLiteral(""));
    archive.CloseArchive();
    EXPECT_EQ(contents(), QByteArray(8, '\0'));

    archive.OpenArchive(path(), false);
    EXPECT_EQ(archive.ReadString(), QString());
    EXPECT_EQ(archive.ReadString(), QString());
}

TEST_F(ArchiveTest, StringsRoundTripWhateverTheirLength) {
    const QString japanese = QStringLiteral("日本語テキスト\U0001F600\r\n");
    const QString longText(3000, QChar(u'字'));
    Archive archive;
    archive.OpenArchive(path(), true, 16);
    archive.WriteString(japanese);
    archive.WriteString(longText);
    archive.WriteLong(42);
    archive.CloseArchive();

    archive.OpenArchive(path(), false, 16);
    EXPECT_EQ(archive.ReadString(), japanese);
    EXPECT_EQ(archive.ReadString(), longText);
    EXPECT_EQ(archive.ReadLong(), 42);
}

TEST_F(ArchiveTest, LargeBlocksGoDirectlyAndReadingResumesAtTheRightPlace) {
    QByteArray block(20, '\0');
    for (int i = 0; i < block.size(); ++i)
        block[i] = char(0xA0 + i);
    Archive archive;
    archive.OpenArchive(path(), true, 8);
    archive.WriteLong(7);
    archive.WriteAny(block.constData(), int32_t(block.size()));
    archive.WriteLong(9);
    archive.CloseArchive();
    EXPECT_EQ(contents(),
              QByteArray::fromHex("07000000") + block + QByteArray::fromHex("09000000"));

    // The first refill takes part of the block; the direct read must start where the long ended.
    archive.OpenArchive(path(), false, 8);
    EXPECT_EQ(archive.ReadLong(), 7);
    QByteArray read(block.size(), '\0');
    archive.ReadAny(read.data(), int32_t(read.size()));
    EXPECT_EQ(read, block);
    EXPECT_EQ(archive.ReadLong(), 9);
}

TEST_F(ArchiveTest, FlushWhileLoadingReturnsToTheLogicalReadPoint) {
    Archive archive;
    archive.OpenArchive(path(), true);
    for (int32_t i = 1; i <= 6; ++i)
        archive.WriteLong(i);
    archive.CloseArchive();

    archive.OpenArchive(path(), false, 16);
    EXPECT_EQ(archive.ReadLong(), 1);
    archive.Flush();
    int32_t next = 0;
    archive.ReadAny(&next, 4); // buffer empty, so this reads from the file
    EXPECT_EQ(next, 2);
    EXPECT_EQ(archive.ReadLong(), 3);
    archive.ReadAny(&next, 4); // from the buffer
    EXPECT_EQ(next, 4);
    EXPECT_EQ(archive.ReadLong(), 5);
    EXPECT_EQ(archive.ReadLong(), 6);
}

TEST_F(ArchiveTest, RejectsBadArgumentsAndTheWrongDirection) {
    Archive archive;
    EXPECT_EQ(errorOf([&] { archive.OpenArchive(path(), true, 3); }), errors::InvalidArgument);
    EXPECT_EQ(errorOf([&] { archive.OpenArchive(QString(), true); }), errors::InvalidArgument);
    EXPECT_FALSE(archive.IsStoring());
    EXPECT_FALSE(archive.IsLoading());
    EXPECT_EQ(errorOf([&] { archive.WriteLong(1); }), errors::ArchiveFirst);
    EXPECT_EQ(errorOf([&] { archive.ReadLong(); }), errors::ArchiveSecond);

    archive.OpenArchive(path(), true);
    EXPECT_TRUE(archive.IsStoring());
    try {
        archive.ReadLong();
        FAIL() << "reading a storing archive must fail";
    } catch (const AutomationError& error) {
        EXPECT_EQ(uint32_t(error.number()), 0x800403E9u);
        EXPECT_EQ(error.description(), QStringLiteral("読み込み出来ません。"));
        EXPECT_EQ(error.source(), QStringLiteral("OrvenlyCls.Archive"));
    }
    EXPECT_EQ(errorOf([&] { archive.ReadString(); }), errors::ArchiveSecond);

    archive.OpenArchive(path(), false);
    EXPECT_TRUE(archive.IsLoading());
    try {
        archive.WriteString(QStringLiteral("x"));
        FAIL() << "writing a loading archive must fail";
    } catch (const AutomationError& error) {
        EXPECT_EQ(uint32_t(error.number()), 0x800403E8u);
        EXPECT_EQ(error.description(), QStringLiteral("書き込み出来ません。"));
    }
    EXPECT_EQ(errorOf([&] { archive.WriteAny("x", 1); }), errors::ArchiveFirst);
}

// The old contents stay until the new ones are complete; then they go, even when nothing
// was written.
TEST_F(ArchiveTest, StoringReplacesTheFileWhenClosed) {
    setContents("old contents");
    Archive archive;
    archive.OpenArchive(path(), true);
    archive.WriteLong(7);
    archive.Flush();
    EXPECT_EQ(contents(), QByteArray("old contents"));
    archive.CloseArchive();
    EXPECT_EQ(contents(), QByteArray::fromHex("07000000"));

    archive.OpenArchive(path(), true);
    archive.CloseArchive();
    EXPECT_EQ(contents(), QByteArray());
}

TEST_F(ArchiveTest, ClosingByDestructionOrReopeningKeepsBufferedData) {
    {
        Archive archive;
        archive.OpenArchive(path(QStringLiteral("first.bin")), true);
        archive.WriteLong(0x11223344);
        archive.OpenArchive(path(QStringLiteral("second.bin")), true);
        archive.WriteLong(0x55667788);
    }
    EXPECT_EQ(contents(QStringLiteral("first.bin")), QByteArray::fromHex("44332211"));
    EXPECT_EQ(contents(QStringLiteral("second.bin")), QByteArray::fromHex("88776655"));
}

TEST_F(ArchiveTest, ReadingPastTheEndFailsWithoutConsumingWhatIsThere) {
    setContents(QByteArray::fromHex("010000000203"));
    Archive archive;
    archive.OpenArchive(path(), false);
    EXPECT_EQ(archive.ReadLong(), 1);
    EXPECT_EQ(errorOf([&] { archive.ReadLong(); }), errors::InputPastEndOfFile);
    char rest[3] = {};
    EXPECT_EQ(errorOf([&] { archive.ReadAny(rest, 3); }), errors::InputPastEndOfFile);
    archive.ReadAny(rest, 2);
    EXPECT_EQ(QByteArray(rest, 2), QByteArray::fromHex("0203"));
    EXPECT_EQ(errorOf([&] { archive.ReadAny(rest, 1); }), errors::InputPastEndOfFile);
}

TEST_F(ArchiveTest, CorruptStringLengthsFailBeforeAllocating) {
    const std::pair<const char*, int32_t> cases[] = {
        {"FEFFFFFF", errors::InvalidFileFormat},          // negative
        {"03000000616263", errors::InvalidFileFormat},    // half a character
        {"FEFFFF7F", errors::InputPastEndOfFile},         // about 2 GB announced
        {"0800000061006200", errors::InputPastEndOfFile}, // text cut short
    };
    for (const auto& [hex, expected] : cases) {
        setContents(QByteArray::fromHex(hex));
        Archive archive;
        archive.OpenArchive(path(), false);
        EXPECT_EQ(errorOf([&] { archive.ReadString(); }), expected) << hex;
    }
}

TEST_F(ArchiveTest, FileErrorsNameTheFile) {
    Archive archive;
    const QString missing = path(QStringLiteral("missing.bin"));
    try {
        archive.OpenArchive(missing, false);
        FAIL() << "a missing file must not open";
    } catch (const AutomationError& error) {
        EXPECT_EQ(error.number(), errors::FileNotFound);
        EXPECT_TRUE(error.description().contains(missing));
    }
    const QString impossible = path(QStringLiteral("no/such/folder.bin"));
    try {
        archive.OpenArchive(impossible, true);
        FAIL() << "a file in a missing folder cannot be created";
    } catch (const AutomationError& error) {
        EXPECT_EQ(error.number(), errors::PathFileAccessError);
        EXPECT_TRUE(error.description().contains(impossible));
    }
    EXPECT_FALSE(archive.IsStoring());
}

TEST_F(ArchiveTest, DevicesAreNotArchives) {
    Archive archive;
    EXPECT_EQ(errorOf([&] { archive.OpenArchive(QStringLiteral("/dev/full"), true); }),
              errors::PathFileAccessError);
    EXPECT_FALSE(archive.IsStoring());
}

// Stores size bytes in longs and blocks through a buffer of bufSize; 0 when every step
// succeeded, 57 when one failed with error 57 and closing then failed with it too.
int storeBytes(const QString& file, qint64 size, int32_t bufSize) {
    Archive archive;
    try {
        archive.OpenArchive(file, true, bufSize);
        const QByteArray block(5000, 'b');
        for (qint64 left = size; left > 0;) {
            if (left >= 4 && left % 3 != 0) {
                archive.WriteLong(int32_t(left));
                left -= 4;
            } else {
                const auto length = int32_t(std::min<qint64>(left, block.size()));
                archive.WriteAny(block.constData(), length);
                left -= length;
            }
        }
    } catch (const AutomationError& error) {
        if (error.number() != errors::DeviceIOError)
            return 1;
    }
    const int32_t closing = errorOf([&] { archive.CloseArchive(); });
    return archive.IsStoring() ? 2 : closing;
}

TEST_F(ArchiveTest, WritesTheDiskCannotTakeLeaveTheOldFileByteIdentical) {
    for (const int32_t bufSize : {4, Archive::DefaultBufferSize, 65536}) {
        for (const qint64 size : {100, 4096, 16383, 16385, 1 << 20}) {
            SCOPED_TRACE(testing::Message() << bufSize << " " << size);
            setContents("old contents");
            EXPECT_EQ(runUnderFileSizeLimit(rlim_t(size - 1),
                                            [&] { return storeBytes(path(), size, bufSize); }),
                      57);
            EXPECT_EQ(contents(), QByteArray("old contents"));
            EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
                      QStringList{"archive.bin"});
            EXPECT_EQ(runUnderFileSizeLimit(rlim_t(size),
                                            [&] { return storeBytes(path(), size, bufSize); }),
                      0);
            EXPECT_EQ(contents().size(), size);
        }
    }
}

class Point : public IPersist {
public:
    int32_t x = 0;
    QString label;

    bool Serialize(IStream& lpsr) override {
        if (lpsr.IsStoring()) {
            lpsr.WriteLong(x);
            lpsr.WriteString(label);
        } else {
            x = lpsr.ReadLong();
            label = lpsr.ReadString();
        }
        return true;
    }
    bool Load(IRegister&) override { return false; }
    bool Save(IRegister&) override { return false; }
};

TEST_F(ArchiveTest, PersistableObjectsWriteThemselvesWithNothingAround) {
    Point stored;
    stored.x = 5;
    stored.label = QStringLiteral("p");
    Archive archive;
    archive.OpenArchive(path(), true);
    EXPECT_TRUE(archive.SerializePersistableObject(stored));
    archive.CloseArchive();
    EXPECT_EQ(contents(), QByteArray::fromHex("05000000020000007000"));

    Point loaded;
    archive.OpenArchive(path(), false);
    EXPECT_TRUE(archive.SerializePersistableObject(loaded));
    EXPECT_EQ(loaded.x, 5);
    EXPECT_EQ(loaded.label, QStringLiteral("p"));
}

} // namespace
