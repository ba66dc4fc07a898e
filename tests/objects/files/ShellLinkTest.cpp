#include "orvenly/ShellLink.h"
#include "objects/files/ShellLinkFormat.h"
#include "tests/support/LimitedDisk.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;
using orvenly::ShellLink;
namespace shelllink = orvenly::shelllink;

class ShellLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        target = dir.filePath(u"文書 one.txt"_s);
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("hello");
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    static QByteArray bytesOf(const QString& file) {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    static void writeFile(const QString& file, const QByteArray& bytes) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }

    QTemporaryDir dir;
    QString target;
};

void fill(ShellLink& link, const QString& target) {
    link.SetTarget(target);
    link.SetArguments(u"-x \"quoted arg\""_s);
    link.SetWorkDirectory(u"/tmp/作業"_s);
    link.SetStartupWindowState(orvenly::SLWS_MAX_FOCUS);
    link.SetIconFile(u"/usr/share/icons/x.ico"_s);
    link.SetIconIndex(3);
    link.SetDescription(u"説明 text"_s);
    link.SetHotKey(0x0241);
}

TEST_F(ShellLinkTest, SavedLinkLoadsBackWithEveryProperty) {
    ShellLink link;
    fill(link, target);
    ASSERT_TRUE(link.Save(path(u"a.lnk"_s)));

    ShellLink loaded;
    ASSERT_TRUE(loaded.Load(path(u"a.lnk"_s)));
    EXPECT_EQ(loaded.Target(), target);
    EXPECT_EQ(loaded.Arguments(), u"-x \"quoted arg\""_s);
    EXPECT_EQ(loaded.WorkDirectory(), u"/tmp/作業"_s);
    EXPECT_EQ(loaded.StartupWindowState(), orvenly::SLWS_MAX_FOCUS);
    EXPECT_EQ(loaded.IconFile(), u"/usr/share/icons/x.ico"_s);
    EXPECT_EQ(loaded.IconIndex(), 3);
    EXPECT_EQ(loaded.Description(), u"説明 text"_s);
    EXPECT_EQ(loaded.HotKey(), 0x0241);

    // Written again unchanged, the file is the same.
    ASSERT_TRUE(loaded.Save(path(u"b.lnk"_s)));
    EXPECT_EQ(bytesOf(path(u"a.lnk"_s)), bytesOf(path(u"b.lnk"_s)));
}

TEST_F(ShellLinkTest, FileHasTheFormatsHeaderAndRecordsTheTarget) {
    ShellLink link;
    link.SetTarget(target);
    ASSERT_TRUE(link.Save(path(u"a.lnk"_s)));
    const QByteArray bytes = bytesOf(path(u"a.lnk"_s));
    ASSERT_GE(bytes.size(), 0x4C + 4);
    EXPECT_EQ(qFromLittleEndian<uint32_t>(bytes.constData()), 0x4Cu);
    EXPECT_EQ(bytes.mid(4, 16).toHex(), "0114020000000000c000000000000046");
    EXPECT_EQ(qFromLittleEndian<uint32_t>(bytes.constData() + 0x34), 5u) << "file size";
    EXPECT_EQ(qFromLittleEndian<int32_t>(bytes.constData() + 0x3C), 1) << "show command";
    EXPECT_EQ(bytes.right(4), QByteArray(4, '\0')) << "terminal block";
    // The ANSI copy of the base path is code page 932.
    EXPECT_TRUE(bytes.contains(QByteArray("\x95\xb6\x8f\x91 one.txt\0", 13)));
}

TEST_F(ShellLinkTest, IconHalvesAreSetIndependently) {
    ShellLink link;
    link.SetIconIndex(3);
    link.SetIconFile(u"icons.dll"_s);
    EXPECT_EQ(link.IconIndex(), 3);
    link.SetIconIndex(7);
    EXPECT_EQ(link.IconFile(), u"icons.dll"_s);
}

TEST_F(ShellLinkTest, HotKeyTakesEitherModifierLayout) {
    ShellLink link;
    link.SetHotKey(orvenly::SLHK_CONTROL | orvenly::SLHK_ALT | 'K');
    EXPECT_EQ(link.HotKey(), 0x0600 | 'K');
    link.SetHotKey(0x0100 | 'A');
    EXPECT_EQ(link.HotKey(), 0x0141);
    EXPECT_EQ(errorOf([&] { link.SetHotKey(0x01000000); }), orvenly::errors::InvalidPropertyValue);
    EXPECT_EQ(link.HotKey(), 0x0141);
}

TEST_F(ShellLinkTest, TextsAreCutAtTheirFirstZeroCharacter) {
    ShellLink link;
    link.SetTarget(u"/a/b\0/c"_s);
    link.SetDescription(QString(u"one\0two"_s));
    EXPECT_EQ(link.Target(), u"/a/b"_s);
    EXPECT_EQ(link.Description(), u"one"_s);
}

TEST_F(ShellLinkTest, NewLinkForgetsWhatWasLoaded) {
    ShellLink link;
    fill(link, target);
    ASSERT_TRUE(link.Save(path(u"a.lnk"_s)));
    ShellLink loaded;
    ASSERT_TRUE(loaded.Load(path(u"a.lnk"_s)));
    loaded.NewLink();
    EXPECT_EQ(loaded.Target(), QString());
    EXPECT_EQ(loaded.Arguments(), QString());
    EXPECT_EQ(loaded.Description(), QString());
    EXPECT_EQ(loaded.IconIndex(), 0);
    EXPECT_EQ(loaded.HotKey(), 0);
    EXPECT_EQ(loaded.StartupWindowState(), orvenly::SLWS_NORMAL_FOCUS);
}

TEST_F(ShellLinkTest, SaveWithoutAnExistingTargetWritesNothing) {
    ShellLink link;
    EXPECT_FALSE(link.Save(path(u"none.lnk"_s)));
    link.SetTarget(path(u"missing.txt"_s));
    EXPECT_FALSE(link.Save(path(u"missing.lnk"_s)));
    EXPECT_FALSE(QFile::exists(path(u"none.lnk"_s)));
    EXPECT_FALSE(QFile::exists(path(u"missing.lnk"_s)));

    // An existing file is left as it was.
    writeFile(path(u"old.lnk"_s), "previous");
    EXPECT_FALSE(link.Save(path(u"old.lnk"_s)));
    EXPECT_EQ(bytesOf(path(u"old.lnk"_s)), "previous");
}

TEST_F(ShellLinkTest, SaveRefusesTextsTooLongForTheFormat) {
    ShellLink link;
    link.SetTarget(target);
    link.SetArguments(QString(0x10000, u'a'));
    EXPECT_FALSE(link.Save(path(u"long.lnk"_s)));
    EXPECT_FALSE(QFile::exists(path(u"long.lnk"_s)));
    link.SetArguments(QString(0xFFFF, u'a'));
    ASSERT_TRUE(link.Save(path(u"long.lnk"_s)));
    ShellLink loaded;
    ASSERT_TRUE(loaded.Load(path(u"long.lnk"_s)));
    EXPECT_EQ(loaded.Arguments().size(), 0xFFFF);
}

// Links of about 100 bytes, 4 KiB, just under and over 16 KiB, and the largest the format
// takes (two texts of 64 Ki characters), each saved where it just fails to fit and where it
// just fits.
TEST_F(ShellLinkTest, SavesTheDiskCannotTakeLeaveTheOldLinkByteIdentical) {
    ShellLink old;
    old.SetTarget(target);
    ASSERT_TRUE(old.Save(path(u"a.lnk"_s)));
    const QByteArray original = bytesOf(path(u"a.lnk"_s));

    ShellLink link;
    link.SetTarget(target);
    link.SetDescription(u"d"_s);
    link.SetArguments(u"a"_s);
    ASSERT_TRUE(link.Save(path(u"probe.lnk"_s)));
    const qint64 base = QFileInfo(path(u"probe.lnk"_s)).size();
    ASSERT_TRUE(QFile::remove(path(u"probe.lnk"_s)));
    constexpr qint64 Room = 0xFFFE; // characters each text may still take
    for (const qint64 wanted :
         {base, qint64(4096), qint64(16383), qint64(16385), base + 4 * Room}) {
        // Texts are UTF-16: sizes step by two bytes.
        const qint64 extra = (wanted - base) / 2;
        const qint64 size = base + 2 * extra;
        SCOPED_TRACE(size);
        link.SetDescription(QString(1 + std::min(extra, Room), u'説'));
        link.SetArguments(QString(1 + std::max(qint64(0), extra - Room), u'a'));
        writeFile(path(u"a.lnk"_s), original);

        const int failed = runUnderFileSizeLimit(
            rlim_t(size - 1), [&] { return link.Save(path(u"a.lnk"_s)) ? 1 : 0; });
        EXPECT_EQ(failed, 0) << "the save should have failed";
        EXPECT_EQ(bytesOf(path(u"a.lnk"_s)), original);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  (QStringList{u"a.lnk"_s, u"文書 one.txt"_s}));

        EXPECT_EQ(runUnderFileSizeLimit(rlim_t(size),
                                        [&] { return link.Save(path(u"a.lnk"_s)) ? 0 : 1; }),
                  0);
        EXPECT_EQ(QFileInfo(path(u"a.lnk"_s)).size(), size);
    }
}

TEST_F(ShellLinkTest, LinkToAnotherSystemsTargetLoadsAsStored) {
    ShellLink link;
    fill(link, target);
    ASSERT_TRUE(link.Save(path(u"a.lnk"_s)));
    // The same file, naming a target that exists on no system here.
    shelllink::LinkData data = *shelllink::parse(bytesOf(path(u"a.lnk"_s)));
    data.target = uR"(C:\Users\someone\ドキュメント\memo.txt)"_s;
    writeFile(path(u"foreign.lnk"_s), *shelllink::write(data));

    ShellLink loaded;
    ASSERT_TRUE(loaded.Load(path(u"foreign.lnk"_s)));
    EXPECT_EQ(loaded.Target(), data.target);
    EXPECT_FALSE(loaded.Save(path(u"again.lnk"_s)));
}

TEST_F(ShellLinkTest, NonShortcutsAreRefusedWithTheLinkUnchanged) {
    ShellLink link;
    fill(link, target);
    EXPECT_FALSE(link.Load(path(u"missing.lnk"_s)));
    EXPECT_FALSE(link.Load(dir.path()));
    EXPECT_FALSE(link.Load(target));
    writeFile(path(u"empty.lnk"_s), {});
    EXPECT_FALSE(link.Load(path(u"empty.lnk"_s)));
    EXPECT_EQ(link.Target(), target);
    EXPECT_EQ(link.IconIndex(), 3);
}

// A link in the layout another system writes: a target ID list, link info with only the
// ANSI base path and a suffix, ANSI strings, and an environment block before the terminal.
QByteArray foreignLink() {
    QByteArray out;
    auto put16 = [&](uint16_t v) {
        char b[2];
        qToLittleEndian(v, b);
        out.append(b, 2);
    };
    auto put32 = [&](uint32_t v) {
        char b[4];
        qToLittleEndian(v, b);
        out.append(b, 4);
    };
    put32(0x4C);
    out.append(QByteArray::fromHex("0114020000000000c000000000000046"));
    put32(0x1 | 0x2 | 0x4 | 0x20 | 0x200); // ID list, link info, name, arguments, env
    put32(0x20);
    out.append(QByteArray(24, '\0'));
    put32(1234);
    put32(uint32_t(-2));
    put32(7);
    put16(0x0341);
    out.append(QByteArray(10, '\0'));
    // ID list: one item of 6 bytes and the terminal.
    put16(2 + 6);
    put16(6);
    put32(0xDEADBEEF);
    put16(0);
    // Link info, header of 0x1C bytes.
    const QByteArray base("C:\\\x8e\x84\\", 6);
    const QByteArray suffix("memo.txt");
    const uint32_t volume = 0x1C, baseAt = volume + 0x11, suffixAt = baseAt + base.size() + 1;
    put32(suffixAt + suffix.size() + 1);
    put32(0x1C);
    put32(1);
    put32(volume);
    put32(baseAt);
    put32(0);
    put32(suffixAt);
    put32(0x11);
    put32(3);
    put32(0);
    put32(0x10);
    out.append('\0');
    out.append(base + '\0' + suffix + '\0');
    // ANSI strings.
    put16(4);
    out.append("Memo");
    put16(2);
    out.append("-r");
    // Environment block, then one unknown block, then the terminal.
    put32(0x314);
    put32(0xA0000001);
    out.append(QByteArray("%HOME%\\x").leftJustified(260, '\0'));
    out.append(QByteArray(520, '\0'));
    put32(12);
    put32(0xA0000003);
    put32(0);
    put32(0);
    return out;
}

TEST(ShellLinkFormatTest, ReadsWhatAnotherSystemWrites) {
    const std::optional<shelllink::LinkData> link = shelllink::parse(foreignLink());
    ASSERT_TRUE(link);
    EXPECT_EQ(link->target, uR"(C:\私\memo.txt)"_s);
    EXPECT_EQ(link->description, u"Memo"_s);
    EXPECT_EQ(link->arguments, u"-r"_s);
    EXPECT_EQ(link->fileSize, 1234u);
    EXPECT_EQ(link->iconIndex, -2);
    EXPECT_EQ(link->showCommand, 7);
    EXPECT_EQ(link->hotKey, 0x0341);
}

TEST(ShellLinkFormatTest, EnvironmentBlockNamesATargetWithoutLinkInfo) {
    shelllink::LinkData data;
    data.description = u"d"_s;
    QByteArray bytes = *shelllink::write(data);
    bytes.chop(4);
    QByteArray block(0x314, '\0');
    qToLittleEndian<uint32_t>(0x314, block.data());
    qToLittleEndian<uint32_t>(0xA0000001, block.data() + 4);
    const QString target = u"%USERPROFILE%\\メモ.txt"_s;
    for (qsizetype i = 0; i < target.size(); ++i)
        qToLittleEndian<uint16_t>(target[i].unicode(), block.data() + 8 + 260 + 2 * i);
    bytes += block + QByteArray(4, '\0');
    const std::optional<shelllink::LinkData> link = shelllink::parse(bytes);
    ASSERT_TRUE(link);
    EXPECT_EQ(link->target, target);
}

TEST(ShellLinkFormatTest, EveryTruncationIsRefused) {
    shelllink::LinkData data;
    data.target = u"/home/user/ファイル.txt"_s;
    data.arguments = u"a b"_s;
    data.workDirectory = u"/home"_s;
    data.iconFile = u"/i"_s;
    data.description = u"x"_s;
    for (const QByteArray& whole : {*shelllink::write(data), foreignLink()}) {
        ASSERT_TRUE(shelllink::parse(whole));
        for (qsizetype size = 0; size < whole.size(); ++size) {
            // A copy of exactly that size, so that a read past it is caught by the sanitizer.
            const QByteArray part = whole.first(size);
            EXPECT_FALSE(shelllink::parse(part)) << "size " << size;
        }
    }
}

TEST(ShellLinkFormatTest, WrongSizesAreRefused) {
    const QByteArray whole = foreignLink();
    const auto with32 = [&](qsizetype at, uint32_t value) {
        QByteArray bytes = whole;
        qToLittleEndian(value, bytes.data() + at);
        return bytes;
    };
    const auto with16 = [&](qsizetype at, uint16_t value) {
        QByteArray bytes = whole;
        qToLittleEndian(value, bytes.data() + at);
        return bytes;
    };
    const qsizetype idList = 0x4C, info = idList + 10;
    EXPECT_FALSE(shelllink::parse(with32(0, 0x4D))) << "header size";
    EXPECT_FALSE(shelllink::parse(with32(4, 0))) << "class";
    EXPECT_FALSE(shelllink::parse(with16(idList, 0xFFFF))) << "ID list size";
    EXPECT_FALSE(shelllink::parse(with16(idList, 6))) << "ID list without its terminal";
    EXPECT_FALSE(shelllink::parse(with16(idList + 2, 1))) << "item size";
    EXPECT_FALSE(shelllink::parse(with16(idList + 2, 0x7000))) << "item past its list";
    EXPECT_FALSE(shelllink::parse(with32(info, 0xFFFFFFF0))) << "link info size";
    EXPECT_FALSE(shelllink::parse(with32(info, 8))) << "link info smaller than its header";
    EXPECT_FALSE(shelllink::parse(with32(info + 4, 0x20))) << "link info header size";
    EXPECT_FALSE(shelllink::parse(with32(info + 16, 0x7FFFFFFF))) << "base path offset";
    EXPECT_FALSE(shelllink::parse(with32(info + 12, 0x7FFFFFFF))) << "volume offset";
    EXPECT_FALSE(shelllink::parse(with32(info + 0x1C, 4))) << "volume size";
    EXPECT_FALSE(shelllink::parse(with32(whole.size() - 16, 0x7FFFFFFF))) << "block size";
    EXPECT_FALSE(shelllink::parse(with32(whole.size() - 16 - 0x314, 0x300)))
        << "environment block size";

    const qsizetype name = whole.indexOf("Memo") - 2;
    EXPECT_FALSE(shelllink::parse(with16(name, 0xFFFF))) << "string count";
}

TEST(ShellLinkFormatTest, RandomAndDamagedBytesAreRefusedOrReadSafely) {
    QRandomGenerator random(20240611);
    shelllink::LinkData data;
    data.target = u"/t"_s;
    data.description = u"desc"_s;
    const QByteArray valid = *shelllink::write(data);
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes;
        if (round % 3 == 0) {
            bytes.resize(random.bounded(0, 400));
            for (char& b : bytes)
                b = char(random.bounded(256));
        } else {
            // A valid file with a few bytes changed, perhaps cut short.
            bytes = valid;
            for (int i = random.bounded(1, 4); i > 0; --i)
                bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
            if (round % 3 == 2)
                bytes.truncate(random.bounded(int(bytes.size())));
        }
        // The copy ends exactly where the data does, so the sanitizer sees any overread.
        const QByteArray exact(bytes.constData(), bytes.size());
        const std::optional<shelllink::LinkData> link = shelllink::parse(exact);
        if (link) {
            ASSERT_TRUE(shelllink::write(*link));
            EXPECT_EQ(shelllink::parse(*shelllink::write(*link)), link);
        }
    }
    EXPECT_FALSE(shelllink::parse(QByteArray(76, '\0')));
}

} // namespace
