#include "common/CaretReadout.h"

#include <gtest/gtest.h>

using namespace penlark;
using namespace orvenly;
using namespace Qt::StringLiterals;

namespace {

TEST(CaretReadout, ColumnsCountCellsAndTabStops) {
    const QString line = u"ab\tｱあ😀\tx"_s;
    const int expected[] = {0, 1, 2, 8, 9, 11, 13, 13, 16, 17};
    for (qsizetype position = 0; position <= line.size(); ++position) {
        if (position == 7)
            continue; // inside the surrogate pair
        EXPECT_EQ(cellColumn(line, position, 8), expected[position]) << position;
    }
    EXPECT_EQ(cellColumn(line, 3, 4), 4);
    EXPECT_EQ(cellColumn(u"\t\t"_s, 2, 4), 8);
}

TEST(CaretReadout, CharacterCodesInEveryForm) {
    const struct {
        QString text;
        TextForm form;
        QString code;
    } cases[] = {
        {u"あ"_s, SCS_SHIFTJIS, u"SJIS 82A0 / U+3042"_s},
        {u"ｱ"_s, SCS_SHIFTJIS, u"SJIS B1 / U+FF71"_s},
        {u"あ"_s, SCS_EUC, u"EUC A4A2 / U+3042"_s},
        {u"丂"_s, SCS_EUC, u"EUC 8FB0A1 / U+4E02"_s},
        {u"あ"_s, SCS_JIS, u"JIS 2422 / U+3042"_s},
        {u"あ"_s, TextForm(SCS_UTF8, true), u"UTF-8 E38182 / U+3042"_s},
        {u"あ"_s, SCS_UTF16LE, u"UTF-16LE 4230 / U+3042"_s},
        {u"😀x"_s, SCS_UTF16BE, u"UTF-16BE D83DDE00 / U+1F600"_s},
        {u"😀"_s, SCS_SHIFTJIS, u"U+1F600"_s},
        {u"\r\n"_s, SCS_SHIFTJIS, QString()},
        {QString(), SCS_SHIFTJIS, QString()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(characterCode(c.text, c.form), c.code) << c.code.toStdString();
}

} // namespace
