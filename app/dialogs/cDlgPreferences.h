#pragma once

#include "common/FontEnumeration.h"

#include <QDialog>
#include <array>
#include <cstdint>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace orvenly {
class MRU;
class TextBox;
class TextEditor;
} // namespace orvenly

namespace tamsell {
class NumericBox;
}

namespace penlark {

class cSettings;

// The preferences: start-up, recent files and the JIS filter on one page; the editor's font,
// options, tab width, line numbers and marks and colours on the other, with a preview that follows
// every change. Nothing reaches the settings before OK; only clearing the recent files acts at
// once.
class cDlgPreferences : public QDialog {
    Q_OBJECT

public:
    // Shows the dialog modally; true when it was left with OK, the new values then being in
    // settings. recentFiles is the list its button clears.
    static bool ShowSettings(QWidget* owner, cSettings& settings, orvenly::MRU& recentFiles);

    // The dialog filled from settings, not yet shown, offering the installed fixed-pitch
    // faces, or the given ones.
    cDlgPreferences(const cSettings& settings, orvenly::MRU& recentFiles, QWidget* owner);
    cDlgPreferences(const cSettings& settings, orvenly::MRU& recentFiles, QWidget* owner,
                    FontCollection fonts);
    ~cDlgPreferences() override;

    // Writes the controls' values into settings, each on its own: one that cannot be read
    // is skipped and the others still go through.
    void SaveSettings(cSettings& settings) const;

    // Writes the line numbers and marks as the controls show them into settings; for the
    // preview, at each viewOptionsChanged.
    void ChosenViewOptions(cSettings& settings) const;

    // The editor that shows the preview.
    const orvenly::TextEditor& previewEditor() const { return *m_preview; }

    // The font size a user may choose, in points.
    static constexpr double MaxFontSize = 1000.0;

signals:
    // A box for the line numbers or a mark was checked or cleared.
    void viewOptionsChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildGeneralPage(QWidget& page);
    void buildEditorPage(QWidget& page);
    void buildButtons();
    void LoadSettings(const cSettings& settings);
    void selectFace(const QString& name);

    void cboFontFace_Click();
    void refillSizes(const FontInfo& face);
    void UpdatePreview();
    void chkEdit_Click(int index);
    void cmdColor_Click(int index);
    void cmdDefColor_Click();
    void setSwatch(int index, uint32_t color);
    void cmdRecent_Click();
    void cmdOK_Click();
    void selectNextTab(int step);

    orvenly::MRU& m_recentFiles;
    FontCollection m_fonts;
    std::unique_ptr<orvenly::TextEditor> m_preview;
    std::array<uint32_t, 2> m_colors{};

    QTabWidget* tabPreference = nullptr;
    QRadioButton* optStartupNew = nullptr;  // optStartup (1)
    QRadioButton* optStartupNone = nullptr; // optStartup (0)
    QCheckBox* chkNarrowFilter = nullptr;
    tamsell::NumericBox* nbxRecent = nullptr;
    QPushButton* cmdRecent = nullptr;
    QComboBox* cboFontFace = nullptr;
    QComboBox* cboFontSize = nullptr;
    std::array<QCheckBox*, 6> chkEdit{};
    tamsell::NumericBox* nbxIndentation = nullptr;
    std::array<QCheckBox*, 5> chkView{};
    std::array<QPushButton*, 2> cmdColor{};
    std::array<QFrame*, 2> shpColor{};
    QPushButton* cmdDefColor = nullptr;
    orvenly::TextBox* txtPreview = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};

} // namespace penlark
