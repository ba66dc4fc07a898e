#include "ByteStream.h"
#include "ControlPersistence.h"
#include "orvenly/PropertyBag.h"
#include "tamsell/FlatToolbar.h"

namespace tamsell {

namespace {

using orvenly::PropertyBag;
using orvenly::Variant;

constexpr int32_t CurrentVersion = 3;

void writeButton(PropertyBag& bag, const QString& prefix, const ButtonObject& button) {
    bag.WriteProperty(prefix + "Key", button.Key(), QString());
    bag.WriteProperty(prefix + "Style", int32_t(button.Style()), int32_t(FTBS_COMMAND));
    bag.WriteProperty(prefix + "ExStyle", int32_t(button.ExStyle()), int32_t(FTBS_EX_NONE));
    bag.WriteProperty(prefix + "Image", button.Image(), int32_t(0));
    bag.WriteProperty(prefix + "Caption", button.Caption(), QString());
    bag.WriteProperty(prefix + "Visible", button.Visible(), true);
    bag.WriteProperty(prefix + "Enabled", button.Enabled(), true);
    bag.WriteProperty(prefix + "Value", int32_t(button.Value()), int32_t(FTBV_UNPRESSED));
    bag.WriteProperty(prefix + "ToolTip", button.ToolTip(), QString());
    bag.WriteProperty(prefix + "Length", button.Length(), int32_t(0));
}

// Sets Redraw on leaving, however the reading ends.
class RedrawOnExit {
public:
    explicit RedrawOnExit(FlatToolbar& toolbar) : m_toolbar(toolbar) { m_toolbar.setRedraw(false); }
    ~RedrawOnExit() { m_toolbar.setRedraw(true); }
    RedrawOnExit(const RedrawOnExit&) = delete;
    RedrawOnExit& operator=(const RedrawOnExit&) = delete;

private:
    FlatToolbar& m_toolbar;
};

} // namespace

void FlatToolbar::WriteProperties(PropertyBag& PropBag) const {
    writeFont(PropBag, *this);
    PropBag.WriteProperty("Style", int32_t(m_style), int32_t(FTS_HORIZONTAL));
    PropBag.WriteProperty("Movable", m_movable, true);
    PropBag.WriteProperty("BorderStyle", int32_t(m_borderStyle), int32_t(FTB_FIXEDSINGLE));
    PropBag.WriteProperty("MaskColor", int32_t(m_maskColor), int32_t(0x808000));
    PropBag.WriteProperty("UseMaskColor", m_useMaskColor, false);
    PropBag.WriteProperty("Map3DColors", m_map3DColors, true);
    PropBag.WriteProperty("ImageWidth", m_imageWidth, int32_t(16));
    PropBag.WriteProperty("ImageHeight", m_imageHeight, int32_t(16));
    PropBag.WriteProperty("ButtonWidth", m_buttonWidth, int32_t(24));
    PropBag.WriteProperty("ButtonHeight", m_buttonHeight, int32_t(24));
    PropBag.WriteProperty("CaptionLines", m_captionLines, int32_t(1));
    PropBag.WriteProperty("ButtonPicture", pictureBytes(m_picture), Variant());
    PropBag.WriteProperty("_Version", CurrentVersion, int32_t(1));
    PropBag.WriteProperty("_sc.Count", int32_t(m_buttons.Count()), int32_t(0));
    for (const auto& button : m_buttons)
        writeButton(PropBag, QStringLiteral("_s%1.").arg(button->Index()), *button);
}

void FlatToolbar::ReadProperties(const PropertyBag& PropBag) {
    RedrawOnExit redraw(*this);
    readFont(PropBag, *this);
    auto number = [&](const char* name, int32_t fallback) {
        return PropBag.ReadProperty(name, fallback).toLong();
    };
    auto flag = [&](const char* name, bool fallback) {
        return PropBag.ReadProperty(name, fallback).toBoolean();
    };
    setStyle(FlatToolbarStyleConstants(number("Style", FTS_HORIZONTAL)));
    setMovable(flag("Movable", true));
    setBorderStyle(FlatToolbarBorderStyleConstants(number("BorderStyle", FTB_FIXEDSINGLE)));
    setMaskColor(uint32_t(number("MaskColor", 0x808000)));
    setUseMaskColor(flag("UseMaskColor", false));
    setMap3DColors(flag("Map3DColors", true));
    setImageWidth(number("ImageWidth", 16));
    setImageHeight(number("ImageHeight", 16));
    setButtonWidth(number("ButtonWidth", 24));
    setButtonHeight(number("ButtonHeight", 24));
    setCaptionLines(number("CaptionLines", 1));
    setButtonPicture(pictureOf(PropBag.ReadProperty("ButtonPicture")));

    m_buttons.Clear();
    switch (number("_Version", 1)) {
    case 1:
        for (int i = 1; i <= number("_Buttons:Count", 0); ++i)
            readButton(PropBag, QStringLiteral("_Button#%1:").arg(i));
        break;
    case 2:
        for (int i = 1; i <= number("_Buttons", 0); ++i) {
            const QByteArray bytes =
                PropBag.ReadProperty(QStringLiteral("_Button%1").arg(i)).toByteArray();
            ByteStream stream(bytes);
            PropertyBag nested;
            nested.Serialize(stream);
            readButton(nested, QString());
        }
        break;
    default:
        for (int i = 1; i <= number("_sc.Count", 0); ++i)
            readButton(PropBag, QStringLiteral("_s%1.").arg(i));
        break;
    }
}

void FlatToolbar::readButton(const PropertyBag& PropBag, const QString& prefix) {
    auto read = [&](const char* name, const Variant& fallback) {
        return PropBag.ReadProperty(prefix + name, fallback);
    };
    const std::shared_ptr<ButtonObject> button = m_buttons.Add();
    button->setKey(read("Key", QString()).toString());
    button->setStyle(FlatToolbarButtonStyleConstants(read("Style", int32_t(0)).toLong()));
    // What was stored once passed the rules; it is taken as it stands.
    button->m_exStyle = FlatToolbarButtonExtendStyleConstants(read("ExStyle", int32_t(0)).toLong());
    button->m_visible = read("Visible", true).toBoolean();
    button->m_enabled = read("Enabled", true).toBoolean();
    button->m_image = read("Image", int32_t(0)).toLong();
    button->m_caption = read("Caption", QString()).toString();
    button->m_value = FlatToolbarButtonValueConstants(read("Value", int32_t(0)).toLong());
    button->m_toolTip = read("ToolTip", QString()).toString();
    button->m_length = read("Length", int32_t(0)).toLong();
}

} // namespace tamsell
