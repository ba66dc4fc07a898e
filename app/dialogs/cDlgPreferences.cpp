#include "dialogs/cDlgPreferences.h"

#include "common/Settings.h"
#include "common/ViewOptions.h"
#include "dialogs/FormParts.h"
#include "orvenly/TextEditor.h"
#include "tamsell/NumericBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>
#include <orvenly/TextBox.h>

namespace penlark {

using namespace Qt::StringLiterals;

namespace {

tamsell::NumericBox* numericBox(const QString& name, QWidget* parent) {
    auto* box = new tamsell::NumericBox(parent);
    box->setObjectName(name);
    return box;
}

} // namespace

cDlgPreferences::cDlgPreferences(const cSettings& settings, orvenly::MRU& recentFiles,
                                 QWidget* owner)
    : cDlgPreferences(settings, recentFiles, owner, EnumerateFonts(true)) {}

cDlgPreferences::cDlgPreferences(const cSettings& settings, orvenly::MRU& recentFiles,
                                 QWidget* owner, FontCollection fonts)
    : QDialog(owner), m_recentFiles(recentFiles), m_fonts(std::move(fonts)) {
    setWindowTitle(u"環境設定"_s);
    tabPreference = new QTabWidget(this);
    tabPreference->setObjectName(u"tabPreference"_s);
    auto* general = new QWidget(tabPreference);
    auto* editor = new QWidget(tabPreference);
    tabPreference->addTab(general, u"一般"_s);
    tabPreference->addTab(editor, u"エディタ"_s);
    buildGeneralPage(*general);
    buildEditorPage(*editor);
    buildButtons();

    // Ahead of every control, the text box included.
    for (const auto& [keys, step] :
         {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
          std::pair{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
          std::pair{QKeySequence(Qt::CTRL | Qt::Key_Backtab), -1}}) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this,
                [this, step = step] { selectNextTab(step); });
    }

    m_preview = std::make_unique<orvenly::TextEditor>();
    m_preview->Load(txtPreview);
    // After the editor has set up its box: the preview shows both bars at all times.
    txtPreview->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtPreview->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    for (const auto& face : m_fonts)
        cboFontFace->addItem(face->FaceName);
    auto showViewOptions = [this] {
        cSettings chosen;
        ChosenViewOptions(chosen);
        applyViewOptions(*txtPreview, chosen);
    };
    connect(this, &cDlgPreferences::viewOptionsChanged, this, showViewOptions);
    LoadSettings(settings);
    // Boxes already in the loaded state do not tell it.
    showViewOptions();
}

cDlgPreferences::~cDlgPreferences() {
    m_preview->Unload();
}

void cDlgPreferences::buildGeneralPage(QWidget& page) {
    auto* fraStartup = new QGroupBox(u"起動時設定"_s, &page);
    optStartupNew = new QRadioButton(u"空のドキュメントを開く(&T)"_s, fraStartup);
    optStartupNew->setObjectName(u"optStartup1"_s);
    optStartupNone = new QRadioButton(u"何も開かない(&N)"_s, fraStartup);
    optStartupNone->setObjectName(u"optStartup0"_s);
    auto* startup = new QVBoxLayout(fraStartup);
    startup->addWidget(optStartupNew);
    startup->addWidget(optStartupNone);

    auto* fraOthers = new QGroupBox(u"その他"_s, &page);
    chkNarrowFilter = namedCheckBox(u"chkNarrowFilter"_s,
                                    u"JISで保存時、半角カナ文字を全角に変換(&J)"_s, fraOthers);
    nbxRecent = numericBox(u"nbxRecent"_s, fraOthers);
    nbxRecent->setMax(20);
    nbxRecent->setValue(5);
    nbxRecent->setLargeChange(5);
    nbxRecent->setLength(2);
    nbxRecent->setWhiteSpace(1);
    nbxRecent->setUnit(u"ファイル"_s);
    nbxRecent->setFixedSize(nbxRecent->sizeHint());
    cmdRecent = namedButton(u"cmdRecent"_s, u"履歴を削除(&C)"_s, fraOthers);
    connect(cmdRecent, &QPushButton::clicked, this, &cDlgPreferences::cmdRecent_Click);
    auto* others = new QGridLayout(fraOthers);
    others->addWidget(chkNarrowFilter, 0, 0, 1, 3);
    others->addWidget(labelFor(u"ファイルの履歴表示数(&R) :"_s, &nbxRecent->txtInput(), fraOthers),
                      1, 0);
    others->addWidget(nbxRecent, 1, 1);
    others->addWidget(cmdRecent, 1, 2, Qt::AlignRight);
    others->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(&page);
    layout->addWidget(fraStartup);
    layout->addWidget(fraOthers);
    layout->addStretch();
}

void cDlgPreferences::buildEditorPage(QWidget& page) {
    auto* fraFonts = new QGroupBox(u"フォント"_s, &page);
    cboFontFace = new QComboBox(fraFonts);
    cboFontFace->setObjectName(u"cboFontFace"_s);
    cboFontSize = new QComboBox(fraFonts);
    cboFontSize->setObjectName(u"cboFontSize"_s);
    cboFontSize->setEditable(true);
    cboFontSize->setInsertPolicy(QComboBox::NoInsert);
    // A size is typed whole: completing "8" from the list would make it 84.
    cboFontSize->setCompleter(nullptr);
    connect(cboFontFace, &QComboBox::activated, this, &cDlgPreferences::cboFontFace_Click);
    connect(cboFontSize, &QComboBox::currentTextChanged, this, &cDlgPreferences::UpdatePreview);
    auto* fonts = new QHBoxLayout(fraFonts);
    fonts->addWidget(labelFor(u"フォント名(&F) :"_s, cboFontFace, fraFonts));
    fonts->addWidget(cboFontFace, 1);
    fonts->addWidget(labelFor(u"サイズ(&S) :"_s, cboFontSize, fraFonts));
    fonts->addWidget(cboFontSize);

    auto* fraEditor = new QGroupBox(u"動作"_s, &page);
    const QString captions[] = {u"自動的にインデント(&N)"_s,
                                u"自動的に行末切りつめ(&U)"_s,
                                u"列位置の記憶(&M)"_s,
                                u"行選択余白(&E)"_s,
                                u"テキストのドラッグドロップ(&T)"_s,
                                u"検索／置換ダイアログを自動的に移動(&P)"_s};
    auto* options = new QGridLayout(fraEditor);
    for (int i = 0; i < int(chkEdit.size()); ++i) {
        chkEdit[size_t(i)] = namedCheckBox(u"chkEdit%1"_s.arg(i), captions[i], fraEditor);
        connect(chkEdit[size_t(i)], &QCheckBox::toggled, this, [this, i] { chkEdit_Click(i); });
        options->addWidget(chkEdit[size_t(i)], i / 2, i % 2);
    }
    nbxIndentation = numericBox(u"nbxIndentation"_s, fraEditor);
    nbxIndentation->setMax(128);
    nbxIndentation->setValue(8);
    nbxIndentation->setLength(3);
    nbxIndentation->setUnit(u"文字毎"_s);
    nbxIndentation->setStyle(tamsell::nbsIn);
    nbxIndentation->setOrientation(tamsell::nboVertical);
    nbxIndentation->setFixedSize(nbxIndentation->sizeHint());
    connect(nbxIndentation, &tamsell::NumericBox::Change, this,
            [this] { m_preview->SetTabStep(nbxIndentation->Value()); });
    auto* indentation = new QHBoxLayout;
    indentation->addWidget(labelFor(u"タブ間隔(&T) :"_s, &nbxIndentation->txtInput(), fraEditor));
    indentation->addWidget(nbxIndentation);
    indentation->addStretch();
    options->addLayout(indentation, 3, 0, 1, 2);

    // Access keys apart from every other one of the page.
    auto* fraView = new QGroupBox(u"表示"_s, &page);
    const QString viewCaptions[] = {u"行番号を表示する(&L)"_s, u"全角空白を表示する(&Z)"_s,
                                    u"タブを表示する(&H)"_s, u"改行を表示する(&R)"_s,
                                    u"EOF を表示する(&W)"_s};
    auto* view = new QGridLayout(fraView);
    for (int i = 0; i < int(chkView.size()); ++i) {
        chkView[size_t(i)] = namedCheckBox(u"chkView%1"_s.arg(i), viewCaptions[i], fraView);
        connect(chkView[size_t(i)], &QCheckBox::toggled, this,
                &cDlgPreferences::viewOptionsChanged);
        view->addWidget(chkView[size_t(i)], i / 2, i % 2);
    }

    auto* fraColor = new QGroupBox(u"配色"_s, &page);
    auto* colors = new QHBoxLayout(fraColor);
    const QString colorCaptions[] = {u"前景色(&O) ..."_s, u"背景色(&B) ..."_s};
    for (int i = 0; i < 2; ++i) {
        cmdColor[size_t(i)] = namedButton(u"cmdColor%1"_s.arg(i), colorCaptions[i], fraColor);
        shpColor[size_t(i)] = new QFrame(fraColor);
        shpColor[size_t(i)]->setObjectName(u"shpColor%1"_s.arg(i));
        shpColor[size_t(i)]->setFrameStyle(QFrame::Box | QFrame::Plain);
        shpColor[size_t(i)]->setAutoFillBackground(true);
        shpColor[size_t(i)]->setFixedSize(24, 16);
        connect(cmdColor[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdColor_Click(i); });
        colors->addWidget(cmdColor[size_t(i)]);
        colors->addWidget(shpColor[size_t(i)]);
    }
    colors->addStretch();
    cmdDefColor = namedButton(u"cmdDefColor"_s, u"デフォルト(&D)"_s, fraColor);
    connect(cmdDefColor, &QPushButton::clicked, this, &cDlgPreferences::cmdDefColor_Click);
    colors->addWidget(cmdDefColor);

    txtPreview = new orvenly::TextBox(&page);
    txtPreview->setObjectName(u"txtPreview"_s);
    txtPreview->installEventFilter(this);

    auto* layout = new QVBoxLayout(&page);
    layout->addWidget(fraFonts);
    layout->addWidget(fraEditor);
    layout->addWidget(fraView);
    layout->addWidget(fraColor);
    layout->addWidget(labelFor(u"プレビュー:"_s, txtPreview, &page));
    layout->addWidget(txtPreview, 1);
}

void cDlgPreferences::buildButtons() {
    cmdOK = namedButton(u"cmdOK"_s, u"OK"_s, this);
    cmdOK->setDefault(true);
    cmdCancel = namedButton(u"cmdCancel"_s, u"キャンセル"_s, this);
    connect(cmdOK, &QPushButton::clicked, this, &cDlgPreferences::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabPreference, 1);
    layout->addLayout(buttons);
    resize(480, 560);
}

// Enter in the preview makes a line break there; OK is the default again once it is left.
bool cDlgPreferences::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtPreview) {
        if (event->type() == QEvent::FocusIn)
            cmdOK->setDefault(false);
        else if (event->type() == QEvent::FocusOut)
            cmdOK->setDefault(true);
    }
    return QDialog::eventFilter(watched, event);
}

void cDlgPreferences::selectNextTab(int step) {
    const int count = tabPreference->count();
    tabPreference->setCurrentIndex((tabPreference->currentIndex() + step + count) % count);
}

} // namespace penlark
