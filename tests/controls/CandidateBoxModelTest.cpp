#include "tests/controls/CandidateTestSupport.h"

using namespace tamsell;
namespace errors = orvenly::errors;

namespace {

using CandidateModel = CandidateTest;

TEST_F(CandidateModel, AddingAtOneMakesTheFirstRowAndRenumbersTheOthers) {
    fill({"b", "c"});
    const auto first = box.Items().Add(1, "a", 3, "a", 0x0000FF);
    EXPECT_EQ(captions(), QStringList({"a", "b", "c"}));
    EXPECT_EQ(first->Index(), 1);
    EXPECT_EQ(box.Items().Item("B")->Index(), 2);
    EXPECT_EQ(box.Items().Item(3)->Index(), 3);
    EXPECT_EQ(first->Image(), 3);
    EXPECT_EQ(first->ImageBackColor(), 0x0000FF);
    EXPECT_EQ(first->box(), &box);
}

TEST_F(CandidateModel, RefusedItemsLeaveNoTrace) {
    fill({"a"});
    EXPECT_EQ(errorOf([&] { box.Items().Add(3); }), errors::InvalidArgument);
    EXPECT_EQ(errorOf([&] { box.Items().Add(-1); }), errors::InvalidArgument);
    EXPECT_EQ(errorOf([&] { box.Items().Add(0, "A"); }), errors::DuplicateKey);
    EXPECT_EQ(errorOf([&] { box.Items().Add(0, "x", -1); }), errors::InvalidPropertyValue);
    EXPECT_EQ(errorOf([&] { box.Items().Add(0, "y", 0, {}, 0x7F000000); }),
              errors::InvalidPropertyValue);
    EXPECT_EQ(box.Items().Count(), 1);
    EXPECT_EQ(errorOf([&] { box.Items().Item(2); }), errors::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { box.Items().Remove("nothing"); }), errors::InvalidArgument);
    EXPECT_EQ(errorOf([&] { box.Items().Item(1)->setImage(-3); }), errors::InvalidPropertyValue);
    EXPECT_EQ(errorOf([&] { box.setItemHeight(0); }), errors::InvalidPropertyValue);
    EXPECT_EQ(errorOf([&] { box.setBackColor(0x80000099); }), errors::InvalidPropertyValue);
}

TEST_F(CandidateModel, ANewKeyKeepsThePosition) {
    fill({"a", "b", "c"});
    box.Items().Item(2)->setKey("bee");
    EXPECT_EQ(box.Items().Item("BEE")->Index(), 2);
    EXPECT_EQ(captions(), QStringList({"a", "b", "c"}));
    EXPECT_EQ(errorOf([&] { box.Items().Item(1)->setKey("bee"); }), errors::DuplicateKey);
    EXPECT_EQ(box.Items().Item(1)->Key(), "a");
    box.Items().Remove("bee");
    EXPECT_EQ(box.Items().Item("c")->Index(), 2);
}

TEST_F(CandidateModel, SelectingOneItemDeselectsTheOtherAndRaisesClick) {
    fill({"a", "b"});
    box.Items().Item(1)->setSelected(true);
    box.Items().Item(2)->setSelected(true);
    EXPECT_FALSE(box.Items().Item(1)->Selected());
    EXPECT_EQ(selected(), "b");
    EXPECT_EQ(events, QStringList({"Click a", "Click b"}));
    box.Items().Item(2)->setSelected(true);
    EXPECT_EQ(events.size(), 2);
    box.setSelectedItem(nullptr);
    EXPECT_EQ(box.SelectedItem(), nullptr);
    EXPECT_FALSE(box.Items().Item(2)->Selected());
    box.setSelectedItem(box.Items().Item(1));
    EXPECT_EQ(selected(), "a");

    CandidateBox other;
    const auto foreign = other.Items().Add(0, {}, 0, "foreign");
    EXPECT_EQ(errorOf([&] { box.setSelectedItem(foreign); }), errors::InvalidObject);
    EXPECT_EQ(selected(), "a");
}

TEST_F(CandidateModel, RemovingTheSelectedItemLeavesTheFocusAtItsPlace) {
    fill({"a", "b", "c", "d"});
    box.Items().Item(2)->setSelected(true);
    box.Items().Remove(2);
    EXPECT_EQ(box.SelectedItem(), nullptr);
    key(Qt::Key_Up);
    EXPECT_EQ(selected(), "a");
    // The last item: the focus stays within the items.
    box.Items().Item(3)->setSelected(true);
    box.Items().Remove(3);
    key(Qt::Key_Down);
    EXPECT_EQ(selected(), "c");
    // The focus follows a selected item that moves.
    box.Items().Add(1, {}, 0, "first");
    key(Qt::Key_Up);
    EXPECT_EQ(selected(), "a");
}

TEST_F(CandidateModel, ClearingEmptiesTheBoxSelectionAndAll) {
    fill({"a", "b"});
    const auto kept = box.Items().Item(2);
    kept->setSelected(true);
    box.Items().Clear();
    EXPECT_EQ(box.Items().Count(), 0);
    EXPECT_EQ(box.SelectedItem(), nullptr);
    EXPECT_EQ(kept->box(), nullptr);
    EXPECT_FALSE(kept->Selected());
    key(Qt::Key_Down);
    fill({"x", "y"});
    key(Qt::Key_Down);
    EXPECT_EQ(selected(), "x");
}

TEST_F(CandidateModel, ItemsOutliveTheirBox) {
    std::shared_ptr<CandidateItem> item;
    {
        CandidateBox temporary;
        item = temporary.Items().Add(0, "k", 0, "caption");
        item->setSelected(true);
    }
    EXPECT_EQ(item->box(), nullptr);
    item->setCaption("still");
    item->setImage(2);
    item->setKey("other");
    item->EnsureVisible();
    EXPECT_EQ(item->Caption(), "still");
}

} // namespace
