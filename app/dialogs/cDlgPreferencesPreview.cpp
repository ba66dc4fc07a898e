#include "dialogs/FontSizes.h"
#include "dialogs/cDlgPreferences.h"

#include "orvenly/FileDialog.h"
#include "orvenly/TextEditor.h"
#include "tamsell/SystemColors.h"

#include <platform/FontResolver.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QSignalBlocker>
#include <orvenly/TextBox.h>

namespace penlark {

using namespace Qt::StringLiterals;

namespace {

int firstStartingWith(const QComboBox& list, const QString& prefix) {
    for (int i = 0; i < list.count(); ++i)
        if (list.itemText(i).startsWith(prefix, Qt::CaseInsensitive))
            return i;
    return -1;
}

} // namespace

// The stored face, else the face it is shown with here (so that OK keeps the font the user
// sees), else FixedSys, else the first face.
void cDlgPreferences::selectFace(const QString& name) {
    int found = firstStartingWith(*cboFontFace, name);
    if (found < 0 && cboFontFace->count() > 0)
        found = firstStartingWith(*cboFontFace, platform::displayFamily(name));
    if (found < 0)
        found = firstStartingWith(*cboFontFace, u"FixedSys"_s);
    cboFontFace->setCurrentIndex(found < 0 && cboFontFace->count() > 0 ? 0 : found);
}

void cDlgPreferences::cboFontFace_Click() {
    const int index = cboFontFace->currentIndex();
    if (index < 0)
        return;
    const QString size = cboFontSize->currentText();
    refillSizes(*m_fonts.Item(index + 1));
    cboFontSize->setEditText(size);
    UpdatePreview();
}

void cDlgPreferences::refillSizes(const FontInfo& face) {
    QStringList sizes;
    if (face.TrueType) {
        sizes = outlineSizes(logicalDpiY());
    } else {
        for (int32_t i = 1; i <= face.SizeCount; ++i)
            sizes.append(sizeText(face.Size(i)));
    }
    const QSignalBlocker quiet(cboFontSize);
    cboFontSize->clear();
    cboFontSize->addItems(sizes);
}

void cDlgPreferences::UpdatePreview() {
    if (!m_preview)
        return;
    const QString face = cboFontFace->currentText();
    bool converted = false;
    const double typed = cboFontSize->currentText().trimmed().toFloat(&converted);
    // A size that is no number, or none a font can have, keeps the preview's size.
    const double size =
        converted && typed > 0 && typed <= MaxFontSize ? typed : m_preview->Font().pointSizeF();
    m_preview->SetFont(platform::displayFont(face, size));
    m_preview->SetText(face + u" "_s + sizeText(size) + u"pt\r\n\r\n\tサンプルのテキスト\r\n"_s);
}

void cDlgPreferences::chkEdit_Click(int index) {
    const bool on = chkEdit[size_t(index)]->isChecked();
    switch (index) {
    case 0:
        m_preview->AutoIndent = on;
        break;
    case 1:
        m_preview->AutoTruncate = on;
        break;
    case 2:
        m_preview->ResumeCol = on;
        break;
    case 3:
        m_preview->SetMargin(on);
        break;
    case 4:
        m_preview->EnableTextDrag = on;
        break;
    default:
        break;
    }
}

void cDlgPreferences::setSwatch(int index, uint32_t color) {
    m_colors[size_t(index)] = color;
    const QColor shown = tamsell::resolveColor(color, palette());
    QPalette swatch = shpColor[size_t(index)]->palette();
    swatch.setColor(QPalette::Window, shown);
    shpColor[size_t(index)]->setPalette(swatch);
    QPalette preview = txtPreview->palette();
    preview.setColor(index == 0 ? QPalette::Text : QPalette::Base, shown);
    txtPreview->setPalette(preview);
}

void cDlgPreferences::cmdColor_Click(int index) {
    // The chooser starts from what the swatch shows, system colours included.
    auto color = int32_t(tamsell::translateColor(m_colors[size_t(index)], palette()));
    orvenly::FileDialog chooser;
    chooser.SethwndOwner(this);
    chooser.SetFlags(1);
    if (chooser.ShowColor(color))
        setSwatch(index, uint32_t(color));
}

void cDlgPreferences::cmdDefColor_Click() {
    setSwatch(0, tamsell::syscolor::WindowText);
    setSwatch(1, tamsell::syscolor::Window);
}

} // namespace penlark
