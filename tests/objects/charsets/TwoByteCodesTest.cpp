#include "objects/charsets/TwoByteCodes.h"

#include <platform/Cp932.h>

#include <gtest/gtest.h>

#include <utility>

using namespace orvenly;

namespace {

using Pair = std::pair<int, int>;

Pair jisToSjis(int a, int b) {
    auto x = static_cast<uint8_t>(a);
    auto y = static_cast<uint8_t>(b);
    JisToSjis(x, y);
    return {x, y};
}
Pair sjisToJis(int a, int b) {
    auto x = static_cast<uint8_t>(a);
    auto y = static_cast<uint8_t>(b);
    SjisToJis(x, y);
    return {x, y};
}
Pair eucToSjis(int a, int b) {
    auto x = static_cast<uint8_t>(a);
    auto y = static_cast<uint8_t>(b);
    EucToSjis(x, y);
    return {x, y};
}
Pair sjisToEuc(int a, int b) {
    auto x = static_cast<uint8_t>(a);
    auto y = static_cast<uint8_t>(b);
    SjisToEuc(x, y);
    return {x, y};
}

} // namespace

TEST(TwoByteCodes, KnownCodesConvertBothWays) {
    // あ, 亜 (first kanji row: odd row, trail 0x9F), and the last pair before the E0 leads.
    EXPECT_EQ(jisToSjis(0x24, 0x22), Pair(0x82, 0xA0));
    EXPECT_EQ(jisToSjis(0x30, 0x21), Pair(0x88, 0x9F));
    EXPECT_EQ(jisToSjis(0x5F, 0x5F), Pair(0xE0, 0x7E));
    EXPECT_EQ(sjisToJis(0x82, 0xA0), Pair(0x24, 0x22));
    EXPECT_EQ(sjisToJis(0x88, 0x9F), Pair(0x30, 0x21));
    EXPECT_EQ(sjisToJis(0xE0, 0x7E), Pair(0x5F, 0x5F));
}

TEST(TwoByteCodes, EucDiffersFromJisByBitSeven) {
    EXPECT_EQ(eucToSjis(0xA4, 0xA2), Pair(0x82, 0xA0));
    EXPECT_EQ(eucToSjis(0x24, 0x22), Pair(0x82, 0xA0));
    EXPECT_EQ(sjisToEuc(0x82, 0xA0), Pair(0xA4, 0xA2));
    EXPECT_EQ(sjisToEuc(0xE0, 0x7E), Pair(0xDF, 0xDF));
}

TEST(TwoByteCodes, WholeJisRangeRoundTripsThroughValidShiftJis) {
    for (int j1 = 0x21; j1 <= 0x7E; ++j1) {
        for (int j2 = 0x21; j2 <= 0x7E; ++j2) {
            const Pair sjis = jisToSjis(j1, j2);
            ASSERT_TRUE(platform::cp932::isLeadByte(static_cast<uint8_t>(sjis.first)))
                << j1 << ' ' << j2;
            ASSERT_TRUE(platform::cp932::isTrailByte(static_cast<uint8_t>(sjis.second)))
                << j1 << ' ' << j2;
            ASSERT_EQ(sjisToJis(sjis.first, sjis.second), Pair(j1, j2));
            ASSERT_EQ(sjisToEuc(sjis.first, sjis.second), Pair(j1 | 0x80, j2 | 0x80));
        }
    }
}

TEST(TwoByteCodes, OutOfRangeBytesWrapAround) {
    // (0x20 - 0x21) wraps to 0xFF before halving; the lead then wraps past 0xFF to 0x00.
    EXPECT_EQ(jisToSjis(0x20, 0x00), Pair(0x00, 0x7D));
    // An even row adds 0x7D to the cell, which wraps for high cells.
    EXPECT_EQ(jisToSjis(0x22, 0x90), Pair(0x81, 0x0D));
    EXPECT_EQ(sjisToJis(0x50, 0x10), Pair(0xBF, 0xF1));
    EXPECT_EQ(sjisToJis(0xFF, 0xFF), Pair(0x9E, 0x81));
}
