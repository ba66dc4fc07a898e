#include "tests/controls/SheetTestSupport.h"

#include "orvenly/PropertyBag.h"

using namespace tamsell;
using orvenly::PropertyBag;

namespace {

using SheetPersistence = SheetTest;

TEST_F(SheetPersistence, ANewSheetStoresNothing) {
    PropertySheet fresh;
    PropertyBag bag;
    fresh.WriteProperties(bag);
    EXPECT_EQ(bag.Count(), 0) << bag.toText().toStdString();
}

TEST_F(SheetPersistence, TheTreeIsStoredUnderPrefixedNamesWithoutItsDefaults) {
    PropertySheet fresh;
    const auto category = fresh.Categories().Add(0, {}, "Cat");
    const auto item = category->Items().Add(0, "k", PSIS_LIST, "Item");
    item->Candidates().Add(0, {}, "One");
    item->Candidates().Add(0, {}, "Two", 2);
    PropertyBag bag;
    fresh.WriteProperties(bag);
    EXPECT_EQ(bag.Names(),
              QStringList({"_sc.Count", "_s1.Caption", "_s1._sc.Count", "_s1._s1.Key",
                           "_s1._s1.Caption", "_s1._s1.Style", "_s1._s1._sc.Count",
                           "_s1._s1._s1.Caption", "_s1._s1._s2.Caption", "_s1._s1._s2.ItemData"}));
    EXPECT_EQ(bag.ReadProperty("_sc.Count").toLong(), 1);
    EXPECT_EQ(bag.ReadProperty("_s1._sc.Count").toLong(), 1);
    EXPECT_EQ(bag.ReadProperty("_s1._s1._sc.Count").toLong(), 2);
    EXPECT_EQ(bag.ReadProperty("_s1._s1.Style").toLong(), PSIS_LIST);
    EXPECT_EQ(bag.ReadProperty("_s1._s1._s2.ItemData").toLong(), 2);
}

TEST_F(SheetPersistence, ATreeReadBackIsTheTreeThatWasWritten) {
    PropertySheet original;
    original.setStyle(PSS_LIST);
    original.setAppearance(PSA_FLAT);
    original.setBorderStyle(PSB_NONE);
    original.setIntegralHeight(false);
    original.setForeColor(0x00FF00);
    const auto first = original.Categories().Add(0, "first", "First");
    first->setExpanded(false);
    first->setForeColor(0x0000FF);
    const auto second = original.Categories().Add(0, {}, "Second");
    second->setEnabled(false);
    second->setVisible(false);
    first->Items().Add(0, "t", PSIS_TEXT, "Text", "value");
    const auto list = first->Items().Add(0, {}, PSIS_LIST, "List", {}, false, false);
    list->setForeColor(0x123456);
    list->Candidates().Add(0, "a", "Alpha", -7);
    list->Candidates().Add(0, "b", "Beta", 9)->setSelected(true);
    second->Items().Add(0, {}, PSIS_COLOR, "Colour", "&H80000005&");

    PropertyBag bag;
    original.WriteProperties(bag);
    // Through the bag's own stream form, as a container keeps it.
    const PropertyBag stored = PropertyBag::fromText(bag.toText());
    sheet.Categories().Add(0, {}, "replaced");
    sheet.setRedraw(false);
    sheet.ReadProperties(stored);

    EXPECT_TRUE(sheet.Redraw());
    EXPECT_EQ(sheet.Style(), PSS_LIST);
    EXPECT_EQ(sheet.Appearance(), PSA_FLAT);
    EXPECT_EQ(sheet.BorderStyle(), PSB_NONE);
    EXPECT_FALSE(sheet.IntegralHeight());
    EXPECT_EQ(sheet.ForeColor(), 0x00FF00u);
    ASSERT_EQ(sheet.Categories().Count(), 2);
    const auto readFirst = sheet.Categories().Item("FIRST");
    EXPECT_EQ(readFirst->Caption(), "First");
    EXPECT_FALSE(readFirst->Expanded());
    EXPECT_EQ(readFirst->ForeColor(), 0x0000FF);
    const auto readSecond = sheet.Categories().Item(2);
    EXPECT_FALSE(readSecond->Enabled());
    EXPECT_FALSE(readSecond->Visible());
    ASSERT_EQ(readFirst->Items().Count(), 2);
    EXPECT_EQ(readFirst->Items().Item("t")->Text(), "value");
    const auto readList = readFirst->Items().Item(2);
    EXPECT_EQ(readList->Style(), PSIS_LIST);
    EXPECT_FALSE(readList->Enabled());
    EXPECT_FALSE(readList->Visible());
    EXPECT_EQ(readList->ForeColor(), 0x123456);
    ASSERT_EQ(readList->Candidates().Count(), 2);
    EXPECT_EQ(readList->Candidates().Item("a")->ItemData(), -7);
    // A list item's value is its chosen candidate, and it survives.
    EXPECT_EQ(readList->SelectedItem(), readList->Candidates().Item("b"));
    EXPECT_EQ(readList->Text(), "Beta");
    EXPECT_EQ(readSecond->Items().Item(1)->Style(), PSIS_COLOR);
    EXPECT_EQ(readSecond->Items().Item(1)->Text(), "&H80000005&");
}

TEST_F(SheetPersistence, InvalidStoredValuesAreRefused) {
    PropertyBag bag;
    bag.WriteProperty("Style", int32_t(7));
    EXPECT_EQ(errorOf([&] { sheet.ReadProperties(bag); }), orvenly::errors::InvalidPropertyValue);
    EXPECT_TRUE(sheet.Redraw());
}

} // namespace
