#include "gallery/GalleryEntry.h"

#include "orvenly/FileDialog.h"
#include "tamsell/PropertySheet.h"

namespace gallery {

using namespace tamsell;

namespace {

void fillSample(PropertySheet& sheet) {
    sheet.setRedraw(false);
    const auto general = sheet.Categories().Add(0, {}, QStringLiteral("一般"));
    general->Items().Add(0, {}, PSIS_TEXT, QStringLiteral("ファイル名"),
                         QStringLiteral("無題.txt"));
    const auto charset = general->Items().Add(0, {}, PSIS_COMBO, QStringLiteral("文字コード"));
    for (const char* name : {"Shift_JIS", "EUC-JP", "JIS"})
        charset->Candidates().Add(0, {}, QString::fromLatin1(name));
    charset->Candidates().Item(1)->setSelected(true);
    const auto breaks = general->Items().Add(0, {}, PSIS_LIST, QStringLiteral("改行コード"));
    for (const char* name : {"CR+LF", "CR", "LF"})
        breaks->Candidates().Add(0, {}, QString::fromLatin1(name));
    breaks->Candidates().Item(1)->setSelected(true);
    general->Items().Add(0, {}, PSIS_TEXT, QStringLiteral("サイズ"), QStringLiteral("1,024 バイト"),
                         false);

    const auto view = sheet.Categories().Add(0, {}, QStringLiteral("表示"));
    view->Items().Add(0, {}, PSIS_COLOR, QStringLiteral("文字色"), QStringLiteral("&H80000008&"));
    view->Items().Add(0, {}, PSIS_COLOR, QStringLiteral("背景色"), QStringLiteral("&H00E0FFFF&"));
    view->Items().Add(0, QStringLiteral("font"), PSIS_REFERENCE, QStringLiteral("フォント"),
                      QStringLiteral("ＭＳ ゴシック, 10pt"));
    view->Items().Add(0, {}, PSIS_TEXT, QStringLiteral("タブ幅"), QStringLiteral("8"));

    const auto details = sheet.Categories().Add(0, {}, QStringLiteral("詳細"));
    details->Items().Add(0, {}, PSIS_TEXT, QStringLiteral("作成者"), QStringLiteral("Penlark"));
    details->Items().Add(0, {}, PSIS_TEXT, QStringLiteral("更新日時"),
                         QStringLiteral("2024/04/01 12:00"));
    details->setExpanded(false);
    sheet.setRedraw(true);
}

GalleryDemo makeSheet(QWidget* parent, const Reporter& report) {
    auto* sheet = new PropertySheet(parent);
    sheet->setMinimumHeight(220);
    fillSample(*sheet);
    auto selected = [sheet] {
        const auto item = sheet->SelectedItem();
        if (item)
            return item->Caption();
        const auto category = sheet->SelectedCategory();
        return category ? category->Caption() : QString();
    };
    QObject::connect(sheet, &PropertySheet::Click, sheet,
                     [report, selected] { report(QStringLiteral("Click (%1)").arg(selected())); });
    QObject::connect(sheet, &PropertySheet::DropDown, sheet,
                     [report] { report(QStringLiteral("DropDown")); });
    QObject::connect(sheet, &PropertySheet::Scroll, sheet,
                     [report] { report(QStringLiteral("Scroll")); });
    QObject::connect(sheet, &PropertySheet::CandidateClick, sheet, [report, sheet] {
        report(QStringLiteral("CandidateClick (%1)").arg(sheet->SelectedItem()->Text()));
    });
    QObject::connect(sheet, &PropertySheet::AfterValueEdit, sheet, [report](QString& Value, bool&) {
        report(QStringLiteral("AfterValueEdit (%1)").arg(Value));
    });
    // The font item's reference button chooses a font in the font dialog.
    QObject::connect(sheet, &PropertySheet::ReferenceClick, sheet, [report, sheet] {
        report(QStringLiteral("ReferenceClick"));
        const auto item = sheet->SelectedItem();
        if (!item || item->Key() != QStringLiteral("font"))
            return;
        orvenly::FileDialog dialog;
        dialog.SethwndOwner(sheet->window());
        QFont font = sheet->font();
        if (dialog.ShowFont(font))
            item->setText(QStringLiteral("%1, %2pt").arg(font.family()).arg(font.pointSizeF()));
    });
    return {sheet, sheet};
}

GalleryProperties describeSheet(PropertySheet& sheet) {
    const QString look = QStringLiteral("外観");
    const QString behaviour = QStringLiteral("動作");
    PropertySheet* s = &sheet;
    return {
        choiceProperty(
            look, QStringLiteral("Style"),
            {QStringLiteral("0 - PSS_LIST"), QStringLiteral("1 - PSS_CATEGORY")},
            [s] { return s->Style(); },
            [s](int32_t v) { s->setStyle(PropertySheetStyleConstants(v)); }),
        choiceProperty(
            look, QStringLiteral("Appearance"),
            {QStringLiteral("0 - PSA_FLAT"), QStringLiteral("1 - PSA_3D")},
            [s] { return s->Appearance(); },
            [s](int32_t v) { s->setAppearance(PropertySheetAppearanceConstants(v)); }),
        choiceProperty(
            look, QStringLiteral("BorderStyle"),
            {QStringLiteral("0 - PSB_NONE"), QStringLiteral("1 - PSB_FIXEDSINGLE")},
            [s] { return s->BorderStyle(); },
            [s](int32_t v) { s->setBorderStyle(PropertySheetBorderStyleConstants(v)); }),
        flagProperty(
            look, QStringLiteral("IntegralHeight"), [s] { return s->IntegralHeight(); },
            [s](bool v) { s->setIntegralHeight(v); }),
        colorProperty(
            look, QStringLiteral("ForeColor"), [s] { return s->ForeColor(); },
            [s](uint32_t v) { s->setForeColor(v); }),
        fontProperty(look, sheet),
        flagProperty(
            behaviour, QStringLiteral("Enabled"), [s] { return s->isEnabled(); },
            [s](bool v) { s->setEnabled(v); }),
        textProperty(behaviour, QStringLiteral("SelectedItem"),
                     [s] { return s->SelectedItem() ? s->SelectedItem()->Caption() : QString(); },
                     {}),
    };
}

} // namespace

GalleryEntry propertySheetEntry() {
    return {QStringLiteral("プロパティシート (PropertySheet)"), makeSheet,
            [](QWidget& control) { return describeSheet(static_cast<PropertySheet&>(control)); }};
}

} // namespace gallery
