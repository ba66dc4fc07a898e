#include "orvenly/Variant.h"
#include "orvenly/AutomationError.h"

#include <QObject>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

using orvenly::Currency;
using orvenly::Date;
using orvenly::Variant;
namespace errors = orvenly::errors;
using Type = Variant::Type;

namespace {

// The error number raised by the call, 0 when it raised none.
int32_t errorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const orvenly::AutomationError& error) {
        return error.number();
    }
    return 0;
}

Variant fromBytes(const char* bytes, int size) {
    return Variant(QByteArray(bytes, size));
}

} // namespace

TEST(Variant, ConstructorsGiveTheirTypes) {
    EXPECT_EQ(Variant().type(), Type::Empty);
    EXPECT_EQ(Variant(orvenly::Null{}).type(), Type::Null);
    EXPECT_EQ(Variant(int16_t(1)).type(), Type::Integer);
    EXPECT_EQ(Variant(1).type(), Type::Long);
    EXPECT_EQ(Variant(1.0f).type(), Type::Single);
    EXPECT_EQ(Variant(1.0).type(), Type::Double);
    EXPECT_EQ(Variant(uint8_t(1)).type(), Type::Byte);
    EXPECT_EQ(Variant(true).type(), Type::Boolean);
    EXPECT_EQ(Variant(u"x").type(), Type::String);
    // A narrow string literal must not decay to a Boolean.
    EXPECT_EQ(Variant("x").type(), Type::String);
    EXPECT_EQ(Variant("日本").toString(), u"日本");
    EXPECT_EQ(Variant(nullptr).type(), Type::Object);
    EXPECT_EQ(Variant(QByteArray()).type(), Type::ByteArray);
}

TEST(Variant, RoundsHalfToEvenOnEveryIntegerConversion) {
    EXPECT_EQ(Variant(2.5).toInteger(), 2);
    EXPECT_EQ(Variant(3.5).toInteger(), 4);
    EXPECT_EQ(Variant(-2.5).toInteger(), -2);
    EXPECT_EQ(Variant(-3.5).toLong(), -4);
    EXPECT_EQ(Variant(0.5).toLong(), 0);
    EXPECT_EQ(Variant(2.5000001).toLong(), 3);
    EXPECT_EQ(Variant(2.5f).toByte(), 2);
    EXPECT_EQ(Variant(Currency{25000}).toInteger(), 2);
    EXPECT_EQ(Variant(Currency{35000}).toInteger(), 4);
    EXPECT_EQ(Variant(Currency{-25000}).toLong(), -2);
    EXPECT_EQ(Variant(Currency{-25001}).toLong(), -3);
    EXPECT_EQ(Variant(Date{1.5}).toLong(), 2);
    EXPECT_EQ(Variant(u"2.5").toInteger(), 2);
    EXPECT_EQ(Variant(u"-3.5").toInteger(), -4);
    // Decided on the decimal digits, not a binary approximation.
    EXPECT_EQ(Variant(u"2.50000000000000000001").toInteger(), 3);
}

TEST(Variant, IntegerRangesOverflow) {
    EXPECT_EQ(Variant(32767.4).toInteger(), 32767);
    EXPECT_EQ(errorOf([] { Variant(32767.5).toInteger(); }), errors::Overflow);
    EXPECT_EQ(Variant(-32768.5).toInteger(), -32768);
    EXPECT_EQ(errorOf([] { Variant(32768).toInteger(); }), errors::Overflow);
    EXPECT_EQ(Variant(-2147483648.0).toLong(), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(errorOf([] { Variant(2147483647.5).toLong(); }), errors::Overflow);
    EXPECT_EQ(errorOf([] { Variant(1e300).toLong(); }), errors::Overflow);
    EXPECT_EQ(errorOf([] { Variant(std::nan("")).toLong(); }), errors::Overflow);
    EXPECT_EQ(Variant(255.4).toByte(), 255);
    EXPECT_EQ(Variant(-0.5).toByte(), 0);
    EXPECT_EQ(errorOf([] { Variant(255.5).toByte(); }), errors::Overflow);
    EXPECT_EQ(errorOf([] { Variant(-1).toByte(); }), errors::Overflow);
    EXPECT_EQ(errorOf([] { Variant(true).toByte(); }), errors::Overflow);
    EXPECT_EQ(errorOf([] { Variant(u"99999999999999999999").toLong(); }), errors::Overflow);
    EXPECT_EQ(errorOf([] { Variant(1e300).toSingle(); }), errors::Overflow);
}

TEST(Variant, CurrencyFromDoubleRoundsToFourDecimals) {
    EXPECT_EQ(Currency::fromDouble(1.23456).scaled, 12346);
    EXPECT_EQ(Currency::fromDouble(0.00025).scaled, 2);
    EXPECT_EQ(Currency::fromDouble(-0.00025).scaled, -2);
    EXPECT_EQ(errorOf([] { Currency::fromDouble(1e15); }), errors::Overflow);
    EXPECT_EQ(errorOf([] { Currency::fromDouble(std::nan("")); }), errors::Overflow);
    EXPECT_EQ(Variant(u"0.00005").toCurrency().scaled, 0);
    EXPECT_EQ(Variant(u"0.00015").toCurrency().scaled, 2);
    EXPECT_EQ(Variant(u"-922337203685477.5808").toCurrency().scaled,
              std::numeric_limits<int64_t>::min());
    EXPECT_EQ(errorOf([] { Variant(u"922337203685477.5808").toCurrency(); }), errors::Overflow);
    EXPECT_EQ(Variant(int32_t(-7)).toCurrency().scaled, -70000);
}

TEST(Variant, NullRaisesOnEveryConversion) {
    const Variant null(orvenly::Null{});
    const std::function<void()> conversions[] = {
        [&] { null.toString(); }, [&] { null.toInteger(); },
        [&] { null.toLong(); },   [&] { null.toSingle(); },
        [&] { null.toDouble(); }, [&] { null.toCurrency(); },
        [&] { null.toDate(); },   [&] { null.toBoolean(); },
        [&] { null.toByte(); },   [&] { null.toByteArray(); },
        [&] { null.toObject(); }, [&] { null.convertedTo(Type::Long); },
    };
    for (const auto& conversion : conversions)
        EXPECT_EQ(errorOf(conversion), errors::InvalidUseOfNull);
}

TEST(Variant, EmptyIsZeroNothingAndFalse) {
    const Variant empty;
    EXPECT_EQ(empty.toString(), QString());
    EXPECT_EQ(empty.toLong(), 0);
    EXPECT_EQ(empty.toDouble(), 0.0);
    EXPECT_EQ(empty.toCurrency().scaled, 0);
    EXPECT_FALSE(empty.toBoolean());
    EXPECT_EQ(empty.toDate().days, 0.0);
    EXPECT_TRUE(empty.toByteArray().isEmpty());
    EXPECT_EQ(errorOf([&] { empty.toObject(); }), errors::TypeMismatch);
}

TEST(Variant, StringsReadAsNumbers) {
    EXPECT_EQ(Variant(u"  12 ").toLong(), 12);
    EXPECT_EQ(Variant(u"+3").toInteger(), 3);
    EXPECT_EQ(Variant(u"-1.5e2").toDouble(), -150.0);
    EXPECT_EQ(Variant(u"1E3").toLong(), 1000);
    EXPECT_EQ(Variant(u".5").toDouble(), 0.5);
    EXPECT_EQ(Variant(u"5.").toDouble(), 5.0);
    EXPECT_EQ(Variant(u"0.1").toSingle(), 0.1f);
    EXPECT_EQ(Variant(u"1e-400").toDouble(), 0.0);
    EXPECT_EQ(errorOf([] { Variant(u"1e400").toDouble(); }), errors::Overflow);
    for (const char16_t* bad : {u"", u"  ", u"abc", u"1,000", u"1e", u"--1", u"1 2", u".", u"&H",
                                u"&HG", u"&O8", u"0x10", u"12abc"})
        EXPECT_EQ(errorOf([&] { Variant(bad).toDouble(); }), errors::TypeMismatch)
            << QString::fromUtf16(bad).toStdString();
}

TEST(Variant, HexAndOctalStringsFillTheTargetWidth) {
    EXPECT_EQ(Variant(u"&H10").toLong(), 16);
    EXPECT_EQ(Variant(u" &hff ").toByte(), 255);
    EXPECT_EQ(Variant(u"&O17").toInteger(), 15);
    EXPECT_EQ(Variant(u"&HFFFF").toInteger(), -1);
    EXPECT_EQ(Variant(u"&HFFFF").toLong(), 65535);
    EXPECT_EQ(Variant(u"&H8000").toInteger(), -32768);
    EXPECT_EQ(Variant(u"&HFFFFFFFF").toLong(), -1);
    EXPECT_EQ(Variant(u"&HFFFFFFFF").toDouble(), -1.0);
    EXPECT_EQ(Variant(u"&H10").toCurrency().scaled, 160000);
    EXPECT_TRUE(Variant(u"&H1").toBoolean());
    EXPECT_EQ(errorOf([] { Variant(u"&H10000").toInteger(); }), errors::Overflow);
    EXPECT_EQ(errorOf([] { Variant(u"&H100000000").toLong(); }), errors::Overflow);
    EXPECT_EQ(errorOf([] { Variant(u"&HFFFFFFFFFFFFFFFFFFFF").toDouble(); }), errors::Overflow);
    EXPECT_EQ(errorOf([] { Variant(u"&HFFFF").toByte(); }), errors::Overflow);
}

TEST(Variant, BooleanConversions) {
    EXPECT_EQ(Variant(true).toInteger(), -1);
    EXPECT_EQ(Variant(true).toDouble(), -1.0);
    EXPECT_EQ(Variant(true).toCurrency().scaled, -10000);
    EXPECT_EQ(Variant(false).toLong(), 0);
    EXPECT_EQ(Variant(true).toString(), u"True");
    EXPECT_EQ(Variant(false).toString(), u"False");
    EXPECT_TRUE(Variant(0.1).toBoolean());
    EXPECT_FALSE(Variant(0.0).toBoolean());
    EXPECT_TRUE(Variant(Currency{1}).toBoolean());
    EXPECT_TRUE(Variant(uint8_t(2)).toBoolean());
    EXPECT_TRUE(Variant(u"true").toBoolean());
    EXPECT_FALSE(Variant(u" FALSE ").toBoolean());
    EXPECT_TRUE(Variant(u"-2").toBoolean());
    EXPECT_FALSE(Variant(u"0.0").toBoolean());
    EXPECT_EQ(errorOf([] { Variant(u"yes").toBoolean(); }), errors::TypeMismatch);
}

TEST(Variant, RealsPrintAsTheRuntimeDoes) {
    EXPECT_EQ(Variant(1.5).toString(), u"1.5");
    EXPECT_EQ(Variant(100.0).toString(), u"100");
    EXPECT_EQ(Variant(-2.5).toString(), u"-2.5");
    EXPECT_EQ(Variant(1e20).toString(), u"1E+20");
    EXPECT_EQ(Variant(1.5e-7).toString(), u"1.5E-07");
    EXPECT_EQ(Variant(1e15).toString(), u"1E+15");
    EXPECT_EQ(Variant(123456789012345.0).toString(), u"123456789012345");
    EXPECT_EQ(Variant(0.0001).toString(), u"0.0001");
    EXPECT_EQ(Variant(0.00001).toString(), u"1E-05");
    EXPECT_EQ(Variant(0.1 + 0.2).toString(), u"0.3");
    EXPECT_EQ(Variant(1.0 / 3.0).toString(), u"0.333333333333333");
    EXPECT_EQ(Variant(-0.0).toString(), u"0");
    EXPECT_EQ(Variant(0.1f).toString(), u"0.1");
    EXPECT_EQ(Variant(1.0f / 3.0f).toString(), u"0.3333333");
    EXPECT_EQ(Variant(16777216.0f).toString(), u"1.677722E+07");
    EXPECT_EQ(Variant(int16_t(-32768)).toString(), u"-32768");
}

TEST(Variant, CurrencyPrintsUpToFourDecimals) {
    EXPECT_EQ(Variant(Currency{125000}).toString(), u"12.5");
    EXPECT_EQ(Variant(Currency{1000000}).toString(), u"100");
    EXPECT_EQ(Variant(Currency{-1}).toString(), u"-0.0001");
    EXPECT_EQ(Variant(Currency{std::numeric_limits<int64_t>::min()}).toString(),
              u"-922337203685477.5808");
}

TEST(Variant, DatesPrintInTheNeutralForm) {
    EXPECT_EQ(Variant(Date{45000}).toString(), u"2023/03/15");
    EXPECT_EQ(Variant(Date{45000.5}).toString(), u"2023/03/15 12:00:00");
    EXPECT_EQ(Variant(Date{0.75}).toString(), u"18:00:00");
    EXPECT_EQ(Variant(Date{0}).toString(), u"00:00:00");
    // Before the epoch the fraction still counts forward from midnight.
    EXPECT_EQ(Variant(Date{-1.25}).toString(), u"1899/12/29 06:00:00");
    EXPECT_EQ(Variant(Date{-657434}).toString(), u"0100/01/01");
    EXPECT_EQ(Variant(Date{45000.99999999}).toString(), u"2023/03/16");
    EXPECT_EQ(errorOf([] { Variant(Date{3e6}).toString(); }), errors::Overflow);
}

TEST(Variant, DatesReadBackFromText) {
    EXPECT_EQ(Variant(u"2023/03/15 12:00:00").toDate().days, 45000.5);
    EXPECT_EQ(Variant(u"2023-3-15").toDate().days, 45000.0);
    EXPECT_EQ(Variant(u"1899/12/29 06:00:00").toDate().days, -1.25);
    EXPECT_EQ(Variant(u"18:00").toDate().days, 0.75);
    for (const char16_t* bad : {u"2023/02/30", u"25:00", u"2023/03/15 12", u"12:00 2023/03/15",
                                u"45000", u"2023/03-15", u"0099/01/01"})
        EXPECT_EQ(errorOf([&] { Variant(bad).toDate(); }), errors::TypeMismatch)
            << QString::fromUtf16(bad).toStdString();
    EXPECT_EQ(Variant(true).toDate().days, -1.0);
    EXPECT_EQ(errorOf([] { Variant(3e6).toDate(); }), errors::Overflow);
}

TEST(Variant, ByteArraysAreUtf16LittleEndian) {
    EXPECT_EQ(fromBytes("A\0B\0", 4).toString(), u"AB");
    EXPECT_EQ(fromBytes("\xE5\x65", 2).toString(), u"日");
    const QString odd = fromBytes("A\0B", 3).toString();
    ASSERT_EQ(odd.size(), 2);
    EXPECT_EQ(odd[1].unicode(), 0x42);
    EXPECT_EQ(Variant(u"日A").toByteArray(), QByteArray("\xE5\x65\x41\x00", 4));
    EXPECT_EQ(fromBytes("\x01\x02", 2).toByteArray(), QByteArray("\x01\x02", 2));
    EXPECT_EQ(errorOf([] { Variant(5).toByteArray(); }), errors::TypeMismatch);
    EXPECT_EQ(errorOf([] { fromBytes("\x01", 1).toLong(); }), errors::TypeMismatch);
}

TEST(Variant, ObjectsConvertOnlyToObjects) {
    const auto object = std::make_shared<QObject>();
    const Variant held(object);
    EXPECT_EQ(held.toObject(), object);
    EXPECT_EQ(Variant(nullptr).toObject(), nullptr);
    EXPECT_EQ(errorOf([&] { held.toString(); }), errors::TypeMismatch);
    EXPECT_EQ(errorOf([&] { held.toLong(); }), errors::TypeMismatch);
    EXPECT_EQ(errorOf([&] { held.toBoolean(); }), errors::TypeMismatch);
    EXPECT_EQ(errorOf([] { Variant(u"x").toObject(); }), errors::TypeMismatch);

    struct Derived : QObject {};
    const auto derived = std::make_shared<Derived>();
    const Variant fromDerived = derived;
    EXPECT_EQ(fromDerived.toObject().get(), derived.get());
}

TEST(Variant, SameTypeAndValue) {
    EXPECT_EQ(Variant(), Variant());
    EXPECT_EQ(Variant(orvenly::Null{}), Variant(orvenly::Null{}));
    EXPECT_NE(Variant(), Variant(orvenly::Null{}));
    EXPECT_NE(Variant(int16_t(1)), Variant(1));
    EXPECT_EQ(Variant(u"a"), Variant("a"));
    EXPECT_NE(Variant(u"a"), Variant(u"A"));
    EXPECT_NE(Variant(std::nan("")), Variant(std::nan("")));
    const auto object = std::make_shared<QObject>();
    EXPECT_EQ(Variant(object), Variant(object));
    EXPECT_NE(Variant(object), Variant(std::make_shared<QObject>()));
}

TEST(Variant, ConvertedToChangesTheType) {
    EXPECT_EQ(Variant(u"12").convertedTo(Type::Integer), Variant(int16_t(12)));
    EXPECT_EQ(Variant(2.5).convertedTo(Type::Long), Variant(2));
    EXPECT_EQ(Variant(int16_t(-1)).convertedTo(Type::Boolean), Variant(true));
    EXPECT_EQ(Variant(true).convertedTo(Type::String), Variant(u"True"));
    EXPECT_EQ(Variant(u"x").convertedTo(Type::Empty), Variant());
    EXPECT_EQ(Variant(orvenly::Null{}).convertedTo(Type::Null), Variant(orvenly::Null{}));
    EXPECT_EQ(errorOf([] { Variant(1).convertedTo(Type::Null); }), errors::TypeMismatch);
}
