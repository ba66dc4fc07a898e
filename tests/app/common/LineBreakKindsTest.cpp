#include "common/LineBreakKinds.h"

#include <gtest/gtest.h>

using namespace penlark;

// Each kind alone, pairs of kinds, and breaks at both ends of the bytes.
TEST(LineBreakKinds, KindsOfBreaksInShiftJisBytes) {
    const orvenly::TextForm form(orvenly::SCS_SHIFTJIS);
    struct Case {
        const char* bytes;
        bool crLf, cr, lf;
    };
    const Case cases[] = {
        {"", false, false, false},         {"abc", false, false, false},
        {"\r", false, true, false},        {"\n", false, false, true},
        {"\r\n", true, false, false},      {"a\r\nb\r\n", true, false, false},
        {"\n\r", false, true, true},       {"\r\r\n", true, true, false},
        {"a\r\nb\nc", true, false, true},  {"\x82\xa0\n\x82\xa0\n", false, false, true},
        {"a\rb\rc\r", false, true, false}, {"\r\n\n", true, false, true},
    };
    for (const Case& c : cases) {
        const LineBreakKinds kinds = lineBreakKinds(QByteArrayView(c.bytes), form);
        EXPECT_EQ(kinds.crLf, c.crLf) << c.bytes;
        EXPECT_EQ(kinds.cr, c.cr) << c.bytes;
        EXPECT_EQ(kinds.lf, c.lf) << c.bytes;
    }
}
