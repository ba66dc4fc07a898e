#include "gallery/GalleryEntry.h"

#include "tamsell/FlatToolbar.h"

#include <QHBoxLayout>
#include <QMenu>

// NOLINTBEGIN(readability-identifier-naming): named by the generator of the data.
extern const unsigned char toolbarImage[];
extern const std::size_t toolbarImage_size;
// NOLINTEND(readability-identifier-naming)

namespace gallery {

using namespace tamsell;

namespace {

GalleryDemo makeToolbar(QWidget* parent, const Reporter& report) {
    auto* view = new QWidget(parent);
    auto* layout = new QHBoxLayout(view);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* toolbar = new FlatToolbar(view);
    toolbar->setRedraw(false);
    toolbar->setButtonPicture(
        QImage::fromData(toolbarImage, static_cast<int>(toolbarImage_size), "PNG"));
    ButtonObjects& buttons = toolbar->Buttons();
    buttons.Add(0, QStringLiteral("new"), FTBS_COMMAND, FTBS_EX_NONE, 1, {},
                QStringLiteral("コマンドボタン"));
    buttons.Add(0, QStringLiteral("open"), FTBS_COMMAND, FTBS_EX_INDEPENDENTDROPDOWN, 2, {},
                QStringLiteral("矢印を別に押せるコマンドボタン"));
    buttons.Add(0, QStringLiteral("save"), FTBS_COMMAND, FTBS_EX_NONE, 3, {},
                QStringLiteral("使えないボタン"), FTBV_UNPRESSED, 0, false);
    buttons.Add(0, {}, FTBS_SEPARATOR);
    buttons.Add(0, QStringLiteral("check"), FTBS_CHECK, FTBS_EX_NONE, 5, {},
                QStringLiteral("チェックボタン"));
    buttons.Add(0, QStringLiteral("radio1"), FTBS_RADIO, FTBS_EX_NONE, 6, {},
                QStringLiteral("ラジオボタン 1"), FTBV_PRESSED);
    buttons.Add(0, QStringLiteral("radio2"), FTBS_RADIO, FTBS_EX_NONE, 7, {},
                QStringLiteral("ラジオボタン 2"));
    buttons.Add(0, {}, FTBS_SEPARATOR);
    const auto menuButton =
        buttons.Add(0, QStringLiteral("menu"), FTBS_DROPDOWN, FTBS_EX_INHERENTDROPDOWN, 10, {},
                    QStringLiteral("メニューを出すボタン"));
    auto* menu = new QMenu(toolbar);
    menu->addAction(QStringLiteral("項目 1"));
    menu->addAction(QStringLiteral("項目 2"));
    menuButton->setDropMenu(menu);
    toolbar->setRedraw(true);
    QObject::connect(toolbar, &FlatToolbar::Click, toolbar, [report](ButtonObject* button) {
        report(QStringLiteral("Click (%1)").arg(button->Key()));
    });
    QObject::connect(toolbar, &FlatToolbar::DropDown, toolbar, [report](ButtonObject* button) {
        report(QStringLiteral("DropDown (%1)").arg(button->Key()));
    });
    layout->addWidget(toolbar);
    layout->addStretch();
    return {view, toolbar};
}

GalleryProperties describeToolbar(FlatToolbar& toolbar) {
    const QString look = QStringLiteral("外観");
    const QString size = QStringLiteral("大きさ");
    const QString behaviour = QStringLiteral("動作");
    FlatToolbar* t = &toolbar;
    GalleryProperties properties = {
        choiceProperty(
            look, QStringLiteral("Style"),
            {QStringLiteral("0 - FTS_HORIZONTAL"), QStringLiteral("1 - FTS_RECT"),
             QStringLiteral("2 - FTS_VERTICAL")},
            [t] { return t->Style(); },
            [t](int32_t v) { t->setStyle(FlatToolbarStyleConstants(v)); }),
        choiceProperty(
            look, QStringLiteral("BorderStyle"),
            {QStringLiteral("0 - FTB_NONE"), QStringLiteral("1 - FTB_FIXEDSINGLE")},
            [t] { return t->BorderStyle(); },
            [t](int32_t v) { t->setBorderStyle(FlatToolbarBorderStyleConstants(v)); }),
        flagProperty(
            look, QStringLiteral("Movable"), [t] { return t->Movable(); },
            [t](bool v) { t->setMovable(v); }),
        flagProperty(
            look, QStringLiteral("Map3DColors"), [t] { return t->Map3DColors(); },
            [t](bool v) { t->setMap3DColors(v); }),
        flagProperty(
            look, QStringLiteral("UseMaskColor"), [t] { return t->UseMaskColor(); },
            [t](bool v) { t->setUseMaskColor(v); }),
        colorProperty(
            look, QStringLiteral("MaskColor"), [t] { return t->MaskColor(); },
            [t](uint32_t v) { t->setMaskColor(v); }),
        numberProperty(
            size, QStringLiteral("ImageWidth"), [t] { return t->ImageWidth(); },
            [t](int32_t v) { t->setImageWidth(v); }),
        numberProperty(
            size, QStringLiteral("ImageHeight"), [t] { return t->ImageHeight(); },
            [t](int32_t v) { t->setImageHeight(v); }),
        numberProperty(
            size, QStringLiteral("ButtonWidth"), [t] { return t->ButtonWidth(); },
            [t](int32_t v) { t->setButtonWidth(v); }),
        numberProperty(
            size, QStringLiteral("ButtonHeight"), [t] { return t->ButtonHeight(); },
            [t](int32_t v) { t->setButtonHeight(v); }),
        numberProperty(
            size, QStringLiteral("CaptionLines"), [t] { return t->CaptionLines(); },
            [t](int32_t v) { t->setCaptionLines(v); }),
        flagProperty(
            behaviour, QStringLiteral("Enabled"), [t] { return t->isEnabled(); },
            [t](bool v) { t->setEnabled(v); }),
    };
    // Each button with content: whether it can be pressed, and the state of those that keep one.
    const QString buttonsCategory = QStringLiteral("ボタン");
    for (const auto& button : toolbar.Buttons()) {
        if (!button->hasContent())
            continue;
        ButtonObject* b = button.get();
        properties.push_back(flagProperty(
            buttonsCategory, button->Key() + QStringLiteral(".Enabled"),
            [b] { return b->Enabled(); }, [b](bool v) { b->setEnabled(v); }));
        if (button->Style() == FTBS_CHECK || button->Style() == FTBS_RADIO)
            properties.push_back(choiceProperty(
                buttonsCategory, button->Key() + QStringLiteral(".Value"),
                {QStringLiteral("0 - FTBV_UNPRESSED"), QStringLiteral("1 - FTBV_PRESSED"),
                 QStringLiteral("2 - FTBV_MIXEDSTATE")},
                [b] { return b->Value(); },
                [b](int32_t v) { b->setValue(FlatToolbarButtonValueConstants(v)); }));
    }
    return properties;
}

} // namespace

GalleryEntry flatToolbarEntry() {
    return {QStringLiteral("フラットツールバー (FlatToolbar)"), makeToolbar,
            [](QWidget& control) { return describeToolbar(static_cast<FlatToolbar&>(control)); }};
}

} // namespace gallery
