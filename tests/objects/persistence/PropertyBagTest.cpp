#include "orvenly/PropertyBag.h"
#include "orvenly/Archive.h"
#include "orvenly/AutomationError.h"
#include "tests/support/DirectionlessStream.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QObject>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace orvenly;

namespace {

std::vector<std::pair<QString, Variant>> everyType() {
    QByteArray allBytes;
    for (int i = 0; i < 256; ++i)
        allBytes.append(char(i));
    return {
        {QStringLiteral("Empty"), Variant()},
        {QStringLiteral("Null"), Variant(Null{})},
        {QStringLiteral("Integer"), Variant(int16_t(INT16_MIN))},
        {QStringLiteral("Long"), Variant(int32_t(INT32_MIN))},
        {QStringLiteral("Single"), Variant(0.1f)},
        {QStringLiteral("Tiny"), Variant(std::numeric_limits<float>::denorm_min())},
        {QStringLiteral("Double"), Variant(-1.0 / 3.0)},
        {QStringLiteral("Infinite"), Variant(-std::numeric_limits<double>::infinity())},
        {QStringLiteral("NegativeZero"), Variant(-0.0)},
        {QStringLiteral("Cheapest"), Variant(Currency{std::numeric_limits<int64_t>::min()})},
        {QStringLiteral("Dearest"), Variant(Currency{std::numeric_limits<int64_t>::max()})},
        {QStringLiteral("Price"), Variant(Currency{-123450})},
        {QStringLiteral("When"), Variant(Date{45123.625})},
        {QStringLiteral("Caption"),
         Variant(QStringLiteral("\"引用\" \\ back\ttab\r\nline \x01\x7F\u2028 \U0001F600"))},
        {QStringLiteral("LoneSurrogate"), Variant(QString(QChar(0xD800)) + u'x')},
        {QStringLiteral("Blank"), Variant(QString())},
        {QStringLiteral("Visible"), Variant(true)},
        {QStringLiteral("Hidden"), Variant(false)},
        {QStringLiteral("Byte"), Variant(uint8_t(255))},
        {QStringLiteral("Bytes"), Variant(allBytes)},
        {QStringLiteral("NoBytes"), Variant(QByteArray())},
        {QStringLiteral(" spaced = name\n\"q\" "), Variant(int32_t(1))},
    };
}

PropertyBag filledBag() {
    PropertyBag bag;
    for (const auto& [name, value] : everyType())
        bag.WriteProperty(name, value);
    return bag;
}

void expectSameContents(const PropertyBag& actual, const PropertyBag& expected) {
    ASSERT_EQ(actual.Names(), expected.Names());
    for (const QString& name : expected.Names()) {
        const Variant want = expected.ReadProperty(name);
        const Variant got = actual.ReadProperty(name);
        EXPECT_EQ(got.type(), want.type()) << name.toStdString();
        if (want.type() == Variant::Type::Double) {
            EXPECT_EQ(std::signbit(got.toDouble()), std::signbit(want.toDouble()));
        }
        EXPECT_TRUE(got.sameTypeAndValue(want)) << name.toStdString();
    }
}

TEST(PropertyBag, ReadsDefaultsAndStoresOnlyWhatDiffers) {
    PropertyBag bag;
    EXPECT_TRUE(bag.ReadProperty(QStringLiteral("Width")).isEmpty());
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("Width"), int32_t(100)), Variant(int32_t(100)));

    bag.WriteProperty(QStringLiteral("Width"), int32_t(100), int32_t(100));
    EXPECT_EQ(bag.Count(), 0);
    bag.WriteProperty(QStringLiteral("Width"), int32_t(120), int32_t(100));
    bag.WriteProperty(QStringLiteral("Caption"), QStringLiteral("a"));
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("WIDTH"), int32_t(100)), Variant(int32_t(120)));

    // Back to the default removes it; a default of another type does not count as equal.
    bag.WriteProperty(QStringLiteral("width"), int32_t(100), int32_t(100));
    EXPECT_FALSE(bag.Contains(QStringLiteral("Width")));
    bag.WriteProperty(QStringLiteral("Height"), int16_t(0), int32_t(0));
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("Height")), Variant(int16_t(0)));
}

TEST(PropertyBag, NamesKeepTheSpellingAndOrderOfTheFirstWrite) {
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("ForeColor"), int32_t(1));
    bag.WriteProperty(QStringLiteral("Caption"), QStringLiteral("x"));
    bag.WriteProperty(QStringLiteral("FORECOLOR"), int32_t(2));
    EXPECT_EQ(bag.Names(), (QStringList{QStringLiteral("ForeColor"), QStringLiteral("Caption")}));
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("forecolor")), Variant(int32_t(2)));
}

TEST(PropertyBag, RefusesEmptyNamesAndObjects) {
    PropertyBag bag;
    EXPECT_EQ(errorOf([&] { bag.WriteProperty(QString(), int32_t(1)); }), errors::InvalidArgument);
    const auto object = std::make_shared<QObject>();
    EXPECT_EQ(errorOf([&] { bag.WriteProperty(QStringLiteral("Font"), object); }),
              errors::TypeMismatch);
    EXPECT_EQ(bag.Count(), 0);
}

TEST(PropertyBag, EveryTypeRoundTripsThroughAnArchive) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bag.bin"));
    const PropertyBag stored = filledBag();
    Archive archive;
    archive.OpenArchive(path, true, 16);
    PropertyBag copy = stored;
    EXPECT_TRUE(archive.SerializePersistableObject(copy));
    archive.WriteLong(77);
    archive.CloseArchive();

    PropertyBag loaded;
    loaded.WriteProperty(QStringLiteral("Stale"), int32_t(1));
    archive.OpenArchive(path, false, 16);
    EXPECT_TRUE(archive.SerializePersistableObject(loaded));
    EXPECT_EQ(archive.ReadLong(), 77);
    expectSameContents(loaded, stored);
}

TEST(PropertyBag, StreamLayoutIsCountThenNameTypeAndValue) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bag.bin"));
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("A"), int32_t(258));
    Archive archive;
    archive.OpenArchive(path, true);
    EXPECT_TRUE(bag.Serialize(archive));
    archive.CloseArchive();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray::fromHex("01000000"
                                                  "020000004100"
                                                  "03000000"
                                                  "02010000"));
}

TEST(PropertyBag, CorruptStreamsFailAndLeaveTheBagAlone) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bag.bin"));
    const char* corrupt[] = {
        "FFFFFFFF", // negative count
        "01000000020000004100"
        "09000000", // an object
        "01000000020000004100"
        "63000000", // unknown type
        "01000000020000004100"
        "02000000"
        "00800000", // Integer out of range
        "01000000020000004100"
        "11200000"
        "FFFFFF7F",                     // byte array past the end
        "0200000002000000410003000000", // count larger than the contents
    };
    for (const char* hex : corrupt) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray::fromHex(hex));
        file.close();

        PropertyBag bag;
        bag.WriteProperty(QStringLiteral("Kept"), true);
        Archive archive;
        archive.OpenArchive(path, false);
        EXPECT_NE(errorOf([&] { bag.Serialize(archive); }), 0) << hex;
        EXPECT_EQ(bag.Names(), QStringList{QStringLiteral("Kept")}) << hex;
    }
}

TEST(PropertyBag, SerializeOnAStreamWithNoDirectionReportsFailure) {
    PropertyBag bag;
    DirectionlessStream stream;
    EXPECT_FALSE(bag.Serialize(stream));
}

TEST(PropertyBag, EveryTypeRoundTripsThroughText) {
    const PropertyBag stored = filledBag();
    const QString text = stored.toText();
    expectSameContents(PropertyBag::fromText(text), stored);
    // Escapes keep each property on its own line.
    EXPECT_EQ(text.count(u'\n'), stored.Count());
}

TEST(PropertyBag, TextIsReadable) {
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("Caption"), QStringLiteral("say \"hi\""));
    bag.WriteProperty(QStringLiteral("Width"), int32_t(1200));
    bag.WriteProperty(QStringLiteral("Enabled"), false);
    bag.WriteProperty(QStringLiteral("Price"), Currency{12345000});
    bag.WriteProperty(QStringLiteral("Mask"), QByteArray::fromHex("0aff"));
    EXPECT_EQ(bag.toText(), QStringLiteral("Caption = String \"say \\\"hi\\\"\"\n"
                                           "Width = Long 1200\n"
                                           "Enabled = Boolean False\n"
                                           "Price = Currency 1234.5\n"
                                           "Mask = Bytes 0AFF\n"));
}

TEST(PropertyBag, TextAcceptsBlankLinesAndWindowsBreaks) {
    const PropertyBag bag = PropertyBag::fromText(
        QStringLiteral("\r\n  Width=Integer  -5  \r\n\r\nName = String \"a b\"\r\n"));
    EXPECT_EQ(bag.Names(), (QStringList{QStringLiteral("Width"), QStringLiteral("Name")}));
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("Width")), Variant(int16_t(-5)));
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("Name")), Variant(QStringLiteral("a b")));
}

TEST(PropertyBag, MalformedTextNamesTheLine) {
    const char* lines[] = {
        "Width Long 5",           "Width = Long",        "Width = Long 5x",
        "Width = Integer 40000",  "Width = Byte -1",     "Width = Currency 1.23456",
        "Width = Boolean yes",    "Width = Bytes ABC",   "Width = String \"open",
        "Width = String \"a\" b", "Width = Object 1",    "= Long 1",
        "Width = String \"\\q\"", "Width = Single 1e99", "Width = Currency 922337203685478",
    };
    for (const char* line : lines) {
        try {
            PropertyBag::fromText(QStringLiteral("Good = Long 1\n") + QString::fromUtf8(line));
            ADD_FAILURE() << line << " was accepted";
        } catch (const AutomationError& error) {
            EXPECT_EQ(error.number(), errors::InvalidFileFormat) << line;
            EXPECT_TRUE(error.description().contains(QStringLiteral("line 2"))) << line;
        }
    }
}

} // namespace
