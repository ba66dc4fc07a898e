#include "tests/controls/SheetTestSupport.h"

#include "tamsell/SystemColors.h"

#include <algorithm>
#include <memory>

using namespace tamsell;
namespace errors = orvenly::errors;

namespace {

using SheetModel = SheetTest;

QStringList captionsOf(const std::vector<std::shared_ptr<SheetItem>>& items) {
    QStringList captions;
    for (const auto& item : items)
        captions << item->Caption() + (item->Key().isEmpty() ? "" : "#" + item->Key());
    return captions;
}

TEST_F(SheetModel, NewSheetHasTheDocumentedDefaults) {
    EXPECT_EQ(sheet.Style(), PSS_CATEGORY);
    EXPECT_EQ(sheet.Appearance(), PSA_3D);
    EXPECT_EQ(sheet.BorderStyle(), PSB_FIXEDSINGLE);
    EXPECT_TRUE(sheet.IntegralHeight());
    EXPECT_TRUE(sheet.Redraw());
    EXPECT_EQ(sheet.ForeColor(), 0x80000008u);
    EXPECT_EQ(sheet.Categories().Count(), 0);
    EXPECT_EQ(sheet.SelectedItem(), nullptr);
}

TEST_F(SheetModel, EnumeratedPropertiesRefuseValuesOutsideTheirRange) {
    EXPECT_EQ(errorOf([&] { sheet.setStyle(PropertySheetStyleConstants(2)); }),
              errors::InvalidPropertyValue);
    EXPECT_EQ(errorOf([&] { sheet.setAppearance(PropertySheetAppearanceConstants(-1)); }),
              errors::InvalidPropertyValue);
    EXPECT_EQ(errorOf([&] { sheet.setBorderStyle(PropertySheetBorderStyleConstants(5)); }),
              errors::InvalidPropertyValue);
    EXPECT_EQ(errorOf([&] { sheet.setForeColor(0x01000000); }), errors::InvalidPropertyValue);
    EXPECT_EQ(sheet.Style(), PSS_CATEGORY);
    const auto item = sheet.Categories().Add()->Items().Add();
    EXPECT_EQ(errorOf([&] { item->setStyle(PropertySheetItemStyleConstants(5)); }),
              errors::InvalidPropertyValue);
    EXPECT_EQ(errorOf([&] { item->setForeColor(-2); }), errors::InvalidPropertyValue);
    EXPECT_EQ(item->Style(), PSIS_TEXT);
}

TEST_F(SheetModel, CollectionsKeepPositionsAndKeys) {
    SheetCategories& categories = sheet.Categories();
    categories.Add(0, "b", "B");
    categories.Add(0, "c", "C");
    const auto first = categories.Add(1, "a", "A");
    EXPECT_EQ(first->Index(), 1);
    EXPECT_EQ(categories.Item(3)->Caption(), "C");
    EXPECT_EQ(categories.Item(3)->Index(), 3);
    EXPECT_EQ(categories.Item("B")->Index(), 2);
    EXPECT_EQ(errorOf([&] { categories.Add(5); }), errors::InvalidArgument);
    EXPECT_EQ(errorOf([&] { categories.Add(-1); }), errors::InvalidArgument);
    EXPECT_EQ(errorOf([&] { categories.Add(0, "A"); }), errors::DuplicateKey);
    EXPECT_EQ(errorOf([&] { categories.Item(4); }), errors::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { categories.Item("z"); }), errors::InvalidArgument);
    EXPECT_EQ(categories.Count(), 3);
    categories.Remove("a");
    EXPECT_EQ(categories.Item(1)->Caption(), "B");
    EXPECT_EQ(categories.Item(1)->Index(), 1);
    EXPECT_EQ(first->Index(), 0);
    EXPECT_EQ(first->sheet(), nullptr);

    // A new key keeps the position; one in use is refused.
    categories.Item(1)->setKey("bee");
    EXPECT_EQ(categories.Item("BEE")->Caption(), "B");
    EXPECT_EQ(errorOf([&] { categories.Item(2)->setKey("bee"); }), errors::DuplicateKey);

    const auto item = categories.Item(1)->Items().Add(0, "k", PSIS_COMBO, "Caption", "Text");
    EXPECT_EQ(errorOf([&] {
                  categories.Item(1)->Items().Add(0, "x", PropertySheetItemStyleConstants(9));
              }),
              errors::InvalidPropertyValue);
    EXPECT_EQ(categories.Item(1)->Items().Count(), 1);
    const auto candidate = item->Candidates().Add(0, "c1", "One", 7);
    item->Candidates().Add(1, "c0", "Zero");
    EXPECT_EQ(candidate->Index(), 2);
    EXPECT_EQ(item->Candidates().Item("C1")->ItemData(), 7);
    EXPECT_EQ(item->Category(), categories.Item(1));
}

TEST_F(SheetModel, TextFollowsTheStyleRules) {
    const auto category = sheet.Categories().Add();
    const auto list = category->Items().Add(0, {}, PSIS_LIST, "List", "stored");
    list->Candidates().Add(0, {}, "One");
    const auto two = list->Candidates().Add(0, {}, "Two");
    EXPECT_EQ(list->Text(), "stored");
    EXPECT_EQ(errorOf([&] { list->setText("x"); }), errors::PropertyCannotBeSet);
    two->setSelected(true);
    EXPECT_EQ(list->Text(), "Two");
    EXPECT_EQ(list->SelectedItem(), two);

    const auto combo = category->Items().Add(0, {}, PSIS_COMBO, "Combo", "old");
    const auto one = combo->Candidates().Add(0, {}, "One");
    one->setSelected(true);
    EXPECT_EQ(combo->Text(), "One");
    // Setting the text drops the candidate, even when the text itself stays.
    combo->setText("old");
    EXPECT_EQ(combo->SelectedItem(), nullptr);
    EXPECT_FALSE(one->Selected());
    EXPECT_EQ(combo->Text(), "old");

    // Other styles keep their own text whatever candidates they have.
    const auto plain = category->Items().Add(0, {}, PSIS_TEXT, "Text", "t");
    plain->Candidates().Add(0, {}, "c")->setSelected(true);
    EXPECT_EQ(plain->Text(), "t");
}

TEST_F(SheetModel, OneCandidateAtATimeIsSelected) {
    const auto item = sheet.Categories().Add()->Items().Add(0, {}, PSIS_LIST);
    const auto a = item->Candidates().Add(0, {}, "A");
    const auto b = item->Candidates().Add(0, {}, "B");
    a->setSelected(true);
    b->setSelected(true);
    EXPECT_FALSE(a->Selected());
    EXPECT_TRUE(b->Selected());
    b->setSelected(false);
    EXPECT_EQ(item->SelectedItem(), nullptr);
    a->setSelected(true);
    item->Candidates().Remove(1);
    EXPECT_EQ(item->SelectedItem(), nullptr);
    EXPECT_FALSE(a->Selected());
    EXPECT_EQ(b->Index(), 1);
}

TEST_F(SheetModel, SelectionFollowsTheRules) {
    const auto category = sheet.Categories().Add(0, {}, "Cat");
    const auto item = category->Items().Add(0, {}, PSIS_TEXT, "Item");
    item->setSelected(true);
    EXPECT_EQ(sheet.SelectedItem(), item);
    EXPECT_EQ(sheet.SelectedCategory(), category);
    EXPECT_TRUE(category->Selected());

    category->setSelected(true);
    EXPECT_EQ(sheet.SelectedItem(), nullptr);
    EXPECT_TRUE(category->Selected());
    EXPECT_FALSE(item->Selected());

    // An item of a collapsed category opens it.
    category->setExpanded(false);
    item->setSelected(true);
    EXPECT_TRUE(category->Expanded());

    item->setVisible(false);
    EXPECT_EQ(errorOf([&] { item->setSelected(true); }), errors::InvalidPropertyValue);
    category->setVisible(false);
    EXPECT_EQ(errorOf([&] { category->setSelected(true); }), errors::InvalidPropertyValue);
    category->setVisible(true);

    sheet.setStyle(PSS_LIST);
    EXPECT_EQ(errorOf([&] { category->setSelected(true); }), errors::PropertyCannotBeSet);

    PropertySheet other;
    const auto foreign = other.Categories().Add();
    EXPECT_EQ(errorOf([&] { sheet.setSelectedCategory(foreign); }), errors::InvalidPropertyValue);
}

TEST_F(SheetModel, RemovingTheSelectionLeavesNothingSelected) {
    const auto category = sheet.Categories().Add();
    category->Items().Add(0, "keep");
    const auto item = category->Items().Add(0, "gone");
    item->setSelected(true);
    category->Items().Remove("gone");
    EXPECT_EQ(sheet.SelectedItem(), nullptr);
    EXPECT_FALSE(item->Selected());
    category->setSelected(true);
    sheet.Categories().Clear();
    EXPECT_EQ(sheet.SelectedCategory(), nullptr);
    EXPECT_EQ(category->sheet(), nullptr);
}

TEST_F(SheetModel, ObjectsOutliveTheirSheet) {
    std::shared_ptr<SheetItem> item;
    std::shared_ptr<SheetItemCandidate> candidate;
    {
        PropertySheet temporary;
        item = temporary.Categories().Add()->Items().Add(0, {}, PSIS_COMBO, "c");
        candidate = item->Candidates().Add(0, {}, "x");
        item->setSelected(true);
    }
    EXPECT_EQ(item->Category(), nullptr);
    EXPECT_EQ(item->sheet(), nullptr);
    item->setText("still works");
    item->setSelected(true);
    EXPECT_FALSE(item->Selected());
    candidate->setSelected(true);
    EXPECT_EQ(item->Text(), "x");
}

// Inputs without equal captions sort as any correct sort does.
TEST_F(SheetModel, ShellSortOrdersByCaptionWithoutRegardToCase) {
    const auto category = sheet.Categories().Add();
    std::vector<std::shared_ptr<SheetItem>> items;
    const QStringList captions = {"pear",      "Apple",     "fig",   "Date",  "banana", "cherry",
                                  "Kiwi",      "lime",      "Grape", "mango", "Elder",  "honeydew",
                                  "jackfruit", "Nectarine", "olive", "Quince"};
    for (const QString& caption : captions)
        items.push_back(category->Items().Add(0, {}, PSIS_TEXT, caption));
    auto expected = items;
    std::stable_sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
        return QString::compare(a->Caption(), b->Caption(), Qt::CaseInsensitive) < 0;
    });
    sheet.ShellSort(items);
    EXPECT_EQ(captionsOf(items), captionsOf(expected));
}

// Equal captions a gap apart change places: with five elements the first pass uses gap 4.
TEST_F(SheetModel, ShellSortMovesEqualCaptionsAsItsGapsDo) {
    const auto category = sheet.Categories().Add();
    auto make = [&](const QStringList& entries) {
        std::vector<std::shared_ptr<SheetItem>> items;
        for (const QString& entry : entries) {
            const QStringList parts = entry.split('#');
            items.push_back(category->Items().Add(0, parts.value(1), PSIS_TEXT, parts[0]));
        }
        return items;
    };
    auto five = make({"b", "a#1", "c", "d", "A#2"});
    sheet.ShellSort(five);
    EXPECT_EQ(captionsOf(five), QStringList({"A#2", "a#1", "b", "c", "d"}));
    // With four elements the only gap is 1: a plain insertion sort keeps equal ones in order.
    auto four = make({"b", "a#3", "c", "A#4"});
    sheet.ShellSort(four);
    EXPECT_EQ(captionsOf(four), QStringList({"a#3", "A#4", "b", "c"}));
}

} // namespace

namespace {

TEST(SheetColourText, ReadsTheHexadecimalAndTheDecimalForm) {
    EXPECT_EQ(tamsell::colorText(0x80000008), "&H80000008&");
    EXPECT_EQ(tamsell::colorText(0xFF), "&H000000FF&");
    EXPECT_EQ(tamsell::parseColorText("&H80000008&"), 0x80000008u);
    EXPECT_EQ(tamsell::parseColorText(" &hff "), 0xFFu);
    EXPECT_EQ(tamsell::parseColorText("255"), 255u);
    EXPECT_EQ(tamsell::parseColorText("-2147483643"), 0x80000005u);
    // Not colours: a system colour past the last, a value with a high byte, no digits.
    EXPECT_EQ(tamsell::parseColorText("&H800000FF&"), std::nullopt);
    EXPECT_EQ(tamsell::parseColorText("&H01000000"), std::nullopt);
    EXPECT_EQ(tamsell::parseColorText("&H&"), std::nullopt);
    EXPECT_EQ(tamsell::parseColorText("red"), std::nullopt);
}

} // namespace
