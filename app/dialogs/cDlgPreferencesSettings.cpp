#include "dialogs/cDlgPreferences.h"

#include "common/Settings.h"
#include "dialogs/FontSizes.h"
#include "orvenly/AutomationError.h"
#include "orvenly/MRU.h"
#include "orvenly/Modal.h"
#include "orvenly/TextEditor.h"
#include "tamsell/NumericBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>
#include <optional>

namespace penlark {

using namespace Qt::StringLiterals;

namespace {

// Runs one step of loading or writing back; a value that cannot be taken is skipped.
void step(const std::function<void()>& action) {
    try {
        action();
    } catch (const orvenly::AutomationError&) {
    }
}

std::optional<double> sizeIn(const QString& text) {
    bool converted = false;
    const float size = text.trimmed().toFloat(&converted);
    return converted ? std::optional<double>(size) : std::nullopt;
}

} // namespace

bool cDlgPreferences::ShowSettings(QWidget* owner, cSettings& settings, orvenly::MRU& recentFiles) {
    if (const auto answer = orvenly::modal::scripted({u"Preferences"_s, u"環境設定"_s, {}, 0, {}}))
        return answer->value != 0;
    cDlgPreferences dialog(settings, recentFiles, owner);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.SaveSettings(settings);
    return true;
}

void cDlgPreferences::LoadSettings(const cSettings& settings) {
    (settings.Startup ? optStartupNew : optStartupNone)->setChecked(true);
    chkNarrowFilter->setChecked(settings.JISFilter);
    step([&] { nbxRecent->setValue(int16_t(settings.ShowRecentFiles)); });
    const bool options[] = {settings.AutoIndent, settings.AutoTruncate, settings.ResumeCol,
                            settings.Margin,     settings.TextDrag,     settings.AutoMoveDialog};
    for (size_t i = 0; i < chkEdit.size(); ++i) {
        chkEdit[i]->setChecked(options[i]);
        // The preview takes each value even when the box was already in that state.
        chkEdit_Click(int(i));
    }
    const bool shown[] = {settings.LineNumbers, settings.ShowWideSpace, settings.ShowTab,
                          settings.ShowLineEnd, settings.ShowEOF};
    for (size_t i = 0; i < chkView.size(); ++i)
        chkView[i]->setChecked(shown[i]);
    step([&] { nbxIndentation->setValue(int16_t(settings.TabStep)); });
    m_preview->SetTabStep(nbxIndentation->Value());
    selectFace(settings.Font.faceName);
    cboFontSize->setEditText(sizeText(settings.Font.pointSize));
    setSwatch(0, settings.ForeColor);
    setSwatch(1, settings.BackColor);
    cboFontFace_Click();
    cmdRecent->setEnabled(m_recentFiles.Count() != 0);
}

void cDlgPreferences::SaveSettings(cSettings& settings) const {
    settings.Startup = optStartupNew->isChecked();
    settings.JISFilter = chkNarrowFilter->isChecked();
    settings.ShowRecentFiles = nbxRecent->Value();
    bool* options[] = {&settings.AutoIndent, &settings.AutoTruncate, &settings.ResumeCol,
                       &settings.Margin,     &settings.TextDrag,     &settings.AutoMoveDialog};
    for (size_t i = 0; i < chkEdit.size(); ++i)
        *options[i] = chkEdit[i]->isChecked();
    ChosenViewOptions(settings);
    settings.TabStep = int16_t(nbxIndentation->Value());
    if (cboFontFace->currentIndex() >= 0)
        settings.Font.faceName = cboFontFace->currentText();
    // A size that is no number keeps the old one.
    if (const auto size = sizeIn(cboFontSize->currentText()))
        settings.Font.pointSize = *size;
    settings.ForeColor = m_colors[0];
    settings.BackColor = m_colors[1];
}

void cDlgPreferences::ChosenViewOptions(cSettings& settings) const {
    bool* shown[] = {&settings.LineNumbers, &settings.ShowWideSpace, &settings.ShowTab,
                     &settings.ShowLineEnd, &settings.ShowEOF};
    for (size_t i = 0; i < chkView.size(); ++i)
        *shown[i] = chkView[i]->isChecked();
}

// A size of nothing, below nothing or beyond any screen would store a font nobody can use.
void cDlgPreferences::cmdOK_Click() {
    const auto size = sizeIn(cboFontSize->currentText());
    if (size && (*size <= 0 || *size > MaxFontSize)) {
        orvenly::MsgBox(
            this,
            u"フォントのサイズには 0 より大きく %1 以下の数値を指定してください。"_s.arg(
                MaxFontSize),
            orvenly::msgbox::Exclamation);
        tabPreference->setCurrentIndex(1);
        cboFontSize->setFocus();
        cboFontSize->lineEdit()->selectAll();
        return;
    }
    accept();
}

void cDlgPreferences::cmdRecent_Click() {
    if (orvenly::MsgBox(this, u"最近使ったファイルの一覧を削除しますか？"_s,
                        orvenly::msgbox::YesNo | orvenly::msgbox::Question) != orvenly::msgbox::Yes)
        return;
    step([&] { m_recentFiles.Clear(); });
    cmdRecent->setEnabled(false);
}

} // namespace penlark
