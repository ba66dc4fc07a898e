#include "SheetColors.h"

#include "tamsell/SystemColors.h"

namespace tamsell {

const std::vector<NamedColor>& namedColors() {
    static const std::vector<NamedColor> colors = {
        {syscolor::WindowText, QStringLiteral("ウィンドウの文字")},
        {syscolor::Window, QStringLiteral("ウィンドウの背景")},
        {syscolor::ButtonText, QStringLiteral("ボタンの文字")},
        {syscolor::ButtonFace, QStringLiteral("ボタンの表面")},
        {syscolor::ButtonShadow, QStringLiteral("ボタンの影")},
        {syscolor::Highlight, QStringLiteral("選択項目の背景")},
        {syscolor::HighlightText, QStringLiteral("選択項目の文字")},
        {syscolor::GrayText, QStringLiteral("淡色表示の文字")},
        {0x000000, QStringLiteral("黒")},
        {0x808080, QStringLiteral("灰色")},
        {0xC0C0C0, QStringLiteral("銀色")},
        {0xFFFFFF, QStringLiteral("白")},
        {0x000080, QStringLiteral("栗色")},
        {0x0000FF, QStringLiteral("赤")},
        {0x008080, QStringLiteral("オリーブ")},
        {0x00FFFF, QStringLiteral("黄")},
        {0x008000, QStringLiteral("緑")},
        {0x00FF00, QStringLiteral("ライム")},
        {0x808000, QStringLiteral("青緑")},
        {0xFFFF00, QStringLiteral("水色")},
        {0x800000, QStringLiteral("紺")},
        {0xFF0000, QStringLiteral("青")},
        {0x800080, QStringLiteral("紫")},
        {0xFF00FF, QStringLiteral("赤紫")},
    };
    return colors;
}

} // namespace tamsell
