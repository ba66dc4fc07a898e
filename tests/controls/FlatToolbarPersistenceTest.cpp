#include "tests/controls/ToolbarTestSupport.h"

#include "controls/used/ByteStream.h"
#include "orvenly/PropertyBag.h"

using namespace tamsell;
using orvenly::PropertyBag;
using orvenly::Variant;

namespace {

class ToolbarPersistence : public ToolbarTest {
protected:
    // Reads the bag into a new toolbar and describes its buttons.
    QStringList loaded(const PropertyBag& bag) {
        FlatToolbar copy;
        copy.ReadProperties(bag);
        EXPECT_TRUE(copy.Redraw());
        return describe(copy);
    }

    static QStringList describe(const FlatToolbar& bar) {
        QStringList lines;
        for (const auto& b : bar.Buttons())
            lines << QString("%1|%2|%3|%4|%5|%6|%7|%8|%9")
                         .arg(b->Key())
                         .arg(b->Style())
                         .arg(b->ExStyle())
                         .arg(b->Image())
                         .arg(b->Caption())
                         .arg(b->Value())
                         .arg(b->ToolTip())
                         .arg(b->Length())
                         .arg(QString("%1%2").arg(b->Enabled()).arg(b->Visible()));
        return lines;
    }

    void fillToolbar() {
        auto& buttons = toolbar.Buttons();
        buttons.Add(0, "new", FTBS_COMMAND, FTBS_EX_NONE, 1, "New", "新規作成");
        buttons.Add(0, {}, FTBS_SEPARATOR);
        buttons.Add(0, "bold", FTBS_CHECK, FTBS_EX_INHERENTDROPDOWN, 2, {}, {}, FTBV_PRESSED);
        buttons.Add(0, "gap", FTBS_PLACEHOLDER, FTBS_EX_NONE, 0, {}, {}, FTBV_UNPRESSED, 40);
        buttons.Add(0, "open", FTBS_COMMAND, FTBS_EX_INDEPENDENTDROPDOWN, 3, {}, {}, FTBV_UNPRESSED,
                    0, false, false);
        buttons.Add(0, "menu", FTBS_DROPDOWN);
    }

    // One button's properties under the given prefix.
    static void putButton(PropertyBag& bag, const QString& prefix, const QString& key, int style,
                          int image, int value) {
        bag.WriteProperty(prefix + "Key", key);
        bag.WriteProperty(prefix + "Style", int32_t(style));
        bag.WriteProperty(prefix + "Image", int32_t(image));
        bag.WriteProperty(prefix + "Value", int32_t(value));
        bag.WriteProperty(prefix + "ToolTip", "tip " + key);
    }

    const QStringList olderButtons{"a|0|0|1||0|tip a|0|11", "b|2|0|2||1|tip b|0|11"};
};

TEST_F(ToolbarPersistence, ANewToolbarStoresOnlyItsVersion) {
    PropertyBag bag;
    toolbar.WriteProperties(bag);
    EXPECT_EQ(bag.Names(), QStringList{"_Version"});
    EXPECT_EQ(bag.ReadProperty("_Version").toLong(), 3);
}

TEST_F(ToolbarPersistence, SavedToolbarLoadsWithTheSameButtonsAndSettings) {
    fillToolbar();
    toolbar.setStyle(FTS_RECT);
    toolbar.setMovable(false);
    toolbar.setBorderStyle(FTB_NONE);
    toolbar.setMaskColor(0xFF00FF);
    toolbar.setUseMaskColor(true);
    toolbar.setMap3DColors(false);
    toolbar.setImageWidth(20);
    toolbar.setButtonWidth(30);
    toolbar.setImageHeight(18);
    toolbar.setCaptionLines(2);
    QImage strip(60, 54, QImage::Format_ARGB32);
    strip.fill(Qt::green);
    toolbar.setButtonPicture(strip);
    QFont font = toolbar.font();
    font.setPointSize(font.pointSize() + 3);
    toolbar.setFont(font);

    PropertyBag bag;
    toolbar.WriteProperties(bag);
    EXPECT_EQ(bag.ReadProperty("_s1.Key").toString(), "new");
    EXPECT_EQ(bag.ReadProperty("_sc.Count").toLong(), 6);
    // Through the bag's own stored form as well.
    const PropertyBag again = PropertyBag::fromText(bag.toText());

    FlatToolbar copy;
    copy.ReadProperties(again);
    EXPECT_EQ(describe(copy), describe(toolbar));
    EXPECT_EQ(copy.Style(), FTS_RECT);
    EXPECT_FALSE(copy.Movable());
    EXPECT_EQ(copy.BorderStyle(), FTB_NONE);
    EXPECT_EQ(copy.MaskColor(), 0xFF00FFu);
    EXPECT_TRUE(copy.UseMaskColor());
    EXPECT_FALSE(copy.Map3DColors());
    EXPECT_EQ(copy.ImageWidth(), 20);
    EXPECT_EQ(copy.ButtonWidth(), 30);
    EXPECT_EQ(copy.ImageHeight(), 18);
    EXPECT_EQ(copy.ButtonHeight(), 26);
    EXPECT_EQ(copy.CaptionLines(), 2);
    EXPECT_EQ(copy.ButtonPicture().size(), QSize(60, 54));
    EXPECT_EQ(copy.ButtonPicture().pixelColor(5, 5), QColor(Qt::green));
    EXPECT_EQ(copy.font().pointSize(), font.pointSize());
    EXPECT_EQ(copy.size(), toolbar.size());
    EXPECT_EQ(copy.Buttons().Item("BOLD")->Index(), 3);
}

TEST_F(ToolbarPersistence, ReadingReplacesTheButtonsThereWere) {
    fillToolbar();
    PropertyBag bag;
    toolbar.WriteProperties(bag);
    toolbar.ReadProperties(bag);
    EXPECT_EQ(toolbar.Buttons().Count(), 6);
}

TEST_F(ToolbarPersistence, FirstLayoutLoadsTheSameWay) {
    PropertyBag bag;
    bag.WriteProperty("_Buttons:Count", int32_t(2));
    putButton(bag, "_Button#1:", "a", FTBS_COMMAND, 1, 0);
    putButton(bag, "_Button#2:", "b", FTBS_CHECK, 2, 1);
    EXPECT_EQ(loaded(bag), olderButtons);
}

TEST_F(ToolbarPersistence, SecondLayoutKeepsEachButtonInANestedBag) {
    PropertyBag bag;
    bag.WriteProperty("_Version", int32_t(2));
    bag.WriteProperty("_Buttons", int32_t(2));
    const QStringList keys{"a", "b"};
    for (int i = 0; i < 2; ++i) {
        PropertyBag nested;
        putButton(nested, {}, keys[i], i == 0 ? FTBS_COMMAND : FTBS_CHECK, i + 1, i);
        ByteStream stream;
        ASSERT_TRUE(nested.Serialize(stream));
        bag.WriteProperty(QString("_Button%1").arg(i + 1), stream.bytes());
    }
    EXPECT_EQ(loaded(bag), olderButtons);
}

TEST_F(ToolbarPersistence, AnImageWidthReadSetsTheButtonWidthBeforeTheStoredOneApplies) {
    toolbar.setImageWidth(32);
    PropertyBag bag;
    toolbar.WriteProperties(bag);
    FlatToolbar copy;
    copy.ReadProperties(bag);
    EXPECT_EQ(copy.ButtonWidth(), 40);
    // A button width put back to its default is not stored, and wins over the image width's.
    toolbar.setButtonWidth(24);
    toolbar.WriteProperties(bag);
    EXPECT_FALSE(bag.Contains("ButtonWidth"));
    copy.ReadProperties(bag);
    EXPECT_EQ(copy.ImageWidth(), 32);
    EXPECT_EQ(copy.ButtonWidth(), 24);
}

TEST_F(ToolbarPersistence, ABadStoredValueReachesTheCallerAndRedrawComesBack) {
    PropertyBag bag;
    bag.WriteProperty("_sc.Count", int32_t(1));
    bag.WriteProperty("_Version", int32_t(3));
    bag.WriteProperty("_s1.Style", int32_t(9));
    EXPECT_EQ(errorOf([&] { toolbar.ReadProperties(bag); }), 380);
    EXPECT_TRUE(toolbar.Redraw());

    // Values that skip the rules still lay out and paint safely.
    PropertyBag odd;
    odd.WriteProperty("_sc.Count", int32_t(1));
    odd.WriteProperty("_Version", int32_t(3));
    odd.WriteProperty("_s1.Image", int32_t(-7));
    odd.WriteProperty("_s1.ExStyle", int32_t(12));
    toolbar.ReadProperties(odd);
    EXPECT_EQ(toolbar.Buttons().Item(1)->Width(), 24);
    EXPECT_FALSE(picture().isNull());
}

TEST(ByteStreamTest, RoundTripsAndRefusesToReadPastItsEnd) {
    ByteStream out;
    out.WriteLong(-2);
    out.WriteString("ab");
    EXPECT_EQ(out.bytes().toHex(), "feffffff0400000061006200");
    ByteStream in(out.bytes());
    EXPECT_EQ(in.ReadLong(), -2);
    EXPECT_EQ(in.ReadString(), "ab");
    EXPECT_EQ(errorOf([&] { in.ReadLong(); }), 62);
    ByteStream bad(QByteArray::fromHex("10000000"));
    EXPECT_EQ(errorOf([&] { bad.ReadString(); }), 62);
}

} // namespace
