#include "dialogs/cDlgConverter.h"

#include "common/TextForms.h"
#include "dialogs/FormParts.h"
#include "dialogs/Wizard.h"
#include "orvenly/Modal.h"
#include "orvenly/UserInterface.h"
#include "tamsell/ProgressBar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <orvenly/PieceTree.h>
#include <orvenly/TextBox.h>

namespace penlark {

using namespace Qt::StringLiterals;

namespace {

constexpr int PageCount = 7;
constexpr int FilePage = 1;
constexpr int OptionsPage = 2;
constexpr int ProgressPage = 4;
constexpr int StoppedPage = 5;

struct PageTitle {
    QString title;
    QString subTitle;
};

const PageTitle& titleOf(int page) {
    static const PageTitle titles[PageCount] = {
        {},
        {u"ファイルの選択"_s, u"文字セットを変換するファイルを選択します。"_s},
        {u"文字セットと変換オプション"_s,
         u"変換前と変換後の文字セットを設定します。元の文字セットを自動認識させることもできます。"_s},
        {u"処理の開始"_s, u"情報の収集が完了しました。\"次へ\" を押すと変換処理を開始します。"_s},
        {u"処理中"_s, u"処理中です。しばらくお待ち下さい。"_s},
        {u"中止"_s, u"処理は中止されました。"_s},
        {u"完了"_s, u"処理が完了しました。"_s},
    };
    return titles[page];
}

// A list of forms, each item holding its form's value.
QComboBox* formList(const QString& name, const QList<FormChoice>& forms, QWidget* parent) {
    QComboBox* list = namedList(name, {}, parent);
    for (const FormChoice& choice : forms)
        list->addItem(choice.caption, formValue(choice.form));
    return list;
}

} // namespace

void cDlgConverter::ShowConvert(QWidget* owner) {
    if (orvenly::modal::scripted({u"Convert"_s, u"文字コード一括変換ツール"_s, {}, 0, {}}))
        return;
    cDlgConverter dialog(owner);
    dialog.exec();
}

cDlgConverter::cDlgConverter(QWidget* owner) : QDialog(owner) {
    setWindowTitle(u"文字コード一括変換ツール"_s);
    lblTitle = new QLabel(this);
    lblTitle->setObjectName(u"lblTitle"_s);
    QFont bold = lblTitle->font();
    bold.setBold(true);
    lblTitle->setFont(bold);
    lblSubTitle = new QLabel(this);
    lblSubTitle->setObjectName(u"lblSubTitle"_s);
    lblSubTitle->setWordWrap(true);
    lblSubTitle->setIndent(16);

    auto* pages = new QGridLayout;
    for (int i = 0; i < PageCount; ++i) {
        fraPage.append(buildPage(i));
        pages->addWidget(fraPage.last(), 0, 0);
    }

    txtLog = new orvenly::TextBox(this);
    txtLog->setObjectName(u"txtLog"_s);
    txtLog->setReadOnly(true);
    txtLog->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtLog->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtLog->hide();

    cmdBack = namedButton(u"cmdBack"_s, u"< 戻る(&B)"_s, this);
    cmdNext = namedButton(u"cmdNext"_s, u"次へ(&N) >"_s, this);
    cmdComplete = namedButton(u"cmdComplete"_s, u"完了(&C)"_s, this);
    cmdCancel = namedButton(u"cmdCancel"_s, u"キャンセル"_s, this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {cmdBack, cmdNext, cmdComplete, cmdCancel})
        buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblTitle);
    layout->addWidget(lblSubTitle);
    layout->addLayout(pages, 1);
    layout->addWidget(txtLog, 1);
    layout->addLayout(buttons);
    resize(520, 420);

    m_Wizard = new Wizard(this);
    connect(m_Wizard, &Wizard::Move, this, &cDlgConverter::m_Wizard_Move);
    connect(m_Wizard, &Wizard::DoProcess, this, &cDlgConverter::ConvertAll, Qt::DirectConnection);
    connect(m_Wizard, &Wizard::Finish, this, &QDialog::accept);
    connect(cmdNext, &QPushButton::clicked, this, [this] { m_Wizard->GoNext(1); });
    connect(cmdBack, &QPushButton::clicked, this, [this] { m_Wizard->GoBack(1); });
    connect(cmdComplete, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &cDlgConverter::reject);
    m_Wizard->Load(fraPage, true);
    m_Wizard_Move();
}

cDlgConverter::~cDlgConverter() = default;

QWidget* cDlgConverter::buildPage(int index) {
    auto* page = new QWidget(this);
    page->setObjectName(u"fraPage%1"_s.arg(index));
    switch (index) {
    case 0: {
        auto* lblWelcome = new QLabel(u"このウィザードでは、複数のテキストファイルの文字コードを一"
                                      u"括して変換することができます。"
                                      u"\r\n\r\n'次へ' を押してウィザードを開始します。"_s,
                                      page);
        lblWelcome->setObjectName(u"lblWelcome"_s);
        lblWelcome->setWordWrap(true);
        auto* layout = new QVBoxLayout(page);
        layout->addWidget(lblWelcome);
        layout->addStretch();
        break;
    }
    case FilePage:
        buildFilePage(*page);
        break;
    case OptionsPage:
        buildOptionsPage(*page);
        break;
    case ProgressPage:
        buildProgressPage(*page);
        break;
    default:
        break;
    }
    return page;
}

void cDlgConverter::buildFilePage(QWidget& page) {
    lstFiles = new QListWidget(&page);
    lstFiles->setObjectName(u"lstFiles"_s);
    lstFiles->setAcceptDrops(true);
    lstFiles->viewport()->setAcceptDrops(true);
    lstFiles->installEventFilter(this);
    lstFiles->viewport()->installEventFilter(this);
    lblWait = new QLabel(u"しばらくお待ちください..."_s, &page);
    lblWait->setObjectName(u"lblWait"_s);
    lblWait->setAlignment(Qt::AlignCenter);
    lblWait->lower();
    lblWait->hide();
    cmdAdd = namedButton(u"cmdAdd"_s, u"追加(&A)..."_s, &page);
    cmdRemove = namedButton(u"cmdRemove"_s, u"削除(&R)."_s, &page);
    connect(cmdAdd, &QPushButton::clicked, this, &cDlgConverter::cmdAdd_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &cDlgConverter::cmdRemove_Click);
    connect(lstFiles, &QListWidget::itemDoubleClicked, this, &cDlgConverter::cmdRemove_Click);
    connect(lstFiles, &QListWidget::currentRowChanged, this, &cDlgConverter::updateRemoveButton);
    updateRemoveButton();

    auto* layout = new QGridLayout(&page);
    // The label lies behind the list and shows while the list is hidden.
    layout->addWidget(lblWait, 0, 0, 3, 1);
    layout->addWidget(lstFiles, 0, 0, 3, 1);
    layout->addWidget(cmdAdd, 0, 1);
    layout->addWidget(cmdRemove, 1, 1);
    layout->setRowStretch(2, 1);
}

void cDlgConverter::buildOptionsPage(QWidget& page) {
    auto* fraSrc = new QGroupBox(u"変換前"_s, &page);
    cboCharsetSrc = formList(u"cboCharsetSrc"_s, readForms(), fraSrc);
    cboCharsetSrc->insertItem(0, u"自動判別"_s, 0);
    cboCharsetSrc->setCurrentIndex(0);
    cboLineBreakSrc =
        namedList(u"cboLineBreakSrc"_s, QStringList{u"自動判別"_s} + breakCaptions(), fraSrc);
    chkForce = new QCheckBox(
        u"自動判別できなかった場合は、\r\n強制的に以下の文字セットとして変換(&F)"_s, fraSrc);
    chkForce->setObjectName(u"chkForce"_s);
    cboCharsetForce = formList(u"cboCharsetForce"_s, legacyForms(), fraSrc);
    auto* src = new QGridLayout(fraSrc);
    src->addWidget(labelFor(u"文字セット(&C):"_s, cboCharsetSrc, fraSrc), 0, 0);
    src->addWidget(cboCharsetSrc, 0, 1);
    src->addWidget(labelFor(u"改行コード(&L):"_s, cboLineBreakSrc, fraSrc), 1, 0);
    src->addWidget(cboLineBreakSrc, 1, 1);
    src->addWidget(chkForce, 2, 0, 1, 2);
    src->addWidget(cboCharsetForce, 3, 1);

    auto* fraDest = new QGroupBox(u"変換後"_s, &page);
    cboCharsetDest = formList(u"cboCharsetDest"_s, writeForms(), fraDest);
    cboLineBreakDest = namedList(u"cboLineBreakDest"_s, breakCaptions(), fraDest);
    chkNarrow = new QCheckBox(u"半角カナ文字を全角に変換(&R)"_s, fraDest);
    chkNarrow->setObjectName(u"chkNarrow"_s);
    auto* dest = new QGridLayout(fraDest);
    dest->addWidget(labelFor(u"文字セット(&S):"_s, cboCharsetDest, fraDest), 0, 0);
    dest->addWidget(cboCharsetDest, 0, 1);
    dest->addWidget(labelFor(u"改行コード(&I):"_s, cboLineBreakDest, fraDest), 1, 0);
    dest->addWidget(cboLineBreakDest, 1, 1);
    dest->addWidget(chkNarrow, 2, 0, 1, 2);

    for (QComboBox* box : {cboCharsetSrc, cboCharsetDest})
        connect(box, &QComboBox::currentIndexChanged, this, &cDlgConverter::updateOptionRules);
    connect(chkForce, &QCheckBox::toggled, this, &cDlgConverter::updateOptionRules);
    updateOptionRules();

    auto* layout = new QHBoxLayout(&page);
    layout->addWidget(fraSrc);
    layout->addWidget(fraDest);
}

void cDlgConverter::buildProgressPage(QWidget& page) {
    lblProgress = new QLabel(&page);
    lblProgress->setObjectName(u"lblProgress"_s);
    lblProgress->setTextFormat(Qt::PlainText);
    pbrStatus = new tamsell::ProgressBar(&page);
    pbrStatus->setObjectName(u"pbrStatus"_s);
    auto* layout = new QVBoxLayout(&page);
    layout->addWidget(lblProgress);
    layout->addWidget(pbrStatus);
    layout->addStretch();
}

// Recognition's fallback only applies while the source is recognised; the half-width filter
// only to JIS.
void cDlgConverter::updateOptionRules() {
    const bool recognise = cboCharsetSrc->currentIndex() == 0;
    chkForce->setEnabled(recognise);
    orvenly::UserInterface::instance().EnableBox(cboCharsetForce,
                                                 recognise && chkForce->isChecked());
    chkNarrow->setEnabled(cboCharsetDest->currentData().toInt() == orvenly::SCS_JIS);
}

void cDlgConverter::m_Wizard_Move() {
    const PageTitle& title = titleOf(m_Wizard->Page());
    lblTitle->setText(title.title);
    lblSubTitle->setText(title.subTitle);
    UpdateWizardButtons();
}

void cDlgConverter::UpdateWizardButtons() {
    const int page = m_Wizard->Page();
    const bool done = page >= StoppedPage;
    cmdCancel->setEnabled(!done);
    cmdBack->setEnabled(page >= FilePage && page < ProgressPage);
    cmdNext->setEnabled(page < ProgressPage && (page != FilePage || lstFiles->count() > 0));
    cmdComplete->setEnabled(done);
    (done ? cmdComplete : cmdNext)->setDefault(true);
}

// Cancel and the close box: leave after the run, stop the run while it goes, else ask.
void cDlgConverter::reject() {
    if (askToLeave())
        QDialog::reject();
}

bool cDlgConverter::askToLeave() {
    if (m_Wizard->Finished())
        return true;
    constexpr int32_t Style =
        orvenly::msgbox::YesNo | orvenly::msgbox::Question | orvenly::msgbox::DefaultButton2;
    if (m_Wizard->Processing()) {
        if (orvenly::MsgBox(this, u"処理を中止しますか？"_s, Style) == orvenly::msgbox::Yes)
            m_Abort = true;
        return false;
    }
    return orvenly::MsgBox(this, u"終了してよろしいですか？"_s, Style) == orvenly::msgbox::Yes;
}

} // namespace penlark
