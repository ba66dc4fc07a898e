#include "tests/controls/CandidateTestSupport.h"

#include <algorithm>
#include <climits>

using namespace tamsell;

namespace {

using CandidateSort = CandidateTest;

TEST_F(CandidateSort, CaptionsSortLikeAReferenceSortBothWays) {
    const QStringList input = {"pear",      "Apple",     "fig",   "date",   "banana", "cherry",
                               "kiwi",      "lime",      "grape", "Mango",  "elder",  "honeydew",
                               "jackfruit", "nectarine", "olive", "quince", "plum",   "apricot"};
    fill(input);
    QStringList expected = input;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const QString& a, const QString& b) { return QString::compare(a, b) < 0; });
    box.Sort();
    EXPECT_EQ(captions(), expected);
    std::reverse(expected.begin(), expected.end());
    box.Sort(CBSK_CAPTION, CBSO_DESCENDING);
    EXPECT_EQ(captions(), expected);
    // Keys, and positions, went along.
    for (int i = 1; i <= box.Items().Count(); ++i) {
        EXPECT_EQ(box.Items().Item(i)->Index(), i);
        EXPECT_EQ(box.Items().Item(box.Items().Item(i)->Key())->Index(), i);
    }

    box.setCompareMode(CBTCM_CASE_INSENSITIVE);
    box.Sort();
    EXPECT_EQ(captions().mid(0, 3), QStringList({"Apple", "apricot", "banana"}));
}

TEST_F(CandidateSort, KeysItemDataAndImagesSortToo) {
    box.Items().Add(0, "c", 2, "one")->setItemData(30);
    box.Items().Add(0, "a", 3, "two")->setItemData(INT_MIN);
    box.Items().Add(0, "b", 1, "three")->setItemData(INT_MAX);
    box.Sort(CBSK_KEY);
    EXPECT_EQ(captions(), QStringList({"two", "three", "one"}));
    box.Sort(CBSK_IMAGE);
    EXPECT_EQ(captions(), QStringList({"three", "one", "two"}));
    // The extremes compare without overflowing.
    box.Sort(CBSK_ITEMDATA);
    EXPECT_EQ(captions(), QStringList({"two", "one", "three"}));
    // An unknown key leaves the order alone.
    box.Sort(CandidateBoxSortKeyConstants(7));
    EXPECT_EQ(captions(), QStringList({"two", "one", "three"}));
}

// Five items: the first pass compares the first with the fifth, four apart.
TEST_F(CandidateSort, EqualItemDataMayChangePlacesInADescendingSort) {
    const QStringList names = {"a", "b", "c", "d", "e"};
    for (const QString& name : names)
        box.Items().Add(0, name, 0, name)->setItemData(name == "e" ? 2 : 1);
    box.Sort(CBSK_ITEMDATA, CBSO_DESCENDING);
    EXPECT_EQ(captions(), QStringList({"e", "b", "c", "d", "a"}));
}

TEST_F(CandidateSort, TheCallerCanCompare) {
    fill({"bb", "a", "ccc"});
    QObject::connect(&box, &CandidateBox::CompareItem,
                     [](CandidateItem* Item1, CandidateItem* Item2, int32_t& SortResult) {
                         EXPECT_EQ(SortResult, 0);
                         // Longest first, by any magnitude.
                         SortResult =
                             int32_t(Item2->Caption().size() - Item1->Caption().size()) * 100;
                     });
    box.Sort(CBSK_CUSTUM);
    EXPECT_EQ(captions(), QStringList({"ccc", "bb", "a"}));
}

TEST_F(CandidateSort, TheSelectedItemStaysInView) {
    for (int i = 0; i < 40; ++i)
        box.Items().Add(0, {}, 0, QString("item %1").arg(i, 2, 10, QLatin1Char('0')));
    box.Items().Item(1)->setSelected(true);
    box.Sort(CBSK_CAPTION, CBSO_DESCENDING);
    EXPECT_EQ(box.SelectedItem()->Index(), 40);
    EXPECT_EQ(box.TopIndex(), 36);
    key(Qt::Key_Up);
    EXPECT_EQ(selected(), "item 01");
}

} // namespace
