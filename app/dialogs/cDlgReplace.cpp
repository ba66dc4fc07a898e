// The form: controls, layout, style and input mode, options, buttons and histories.
#include "dialogs/cDlgReplace.h"

#include "dialogs/RegExp.h"
#include "orvenly/AutomationError.h"
#include "orvenly/TextEditor.h"
#include "orvenly/UserInterface.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <orvenly/TextStorage.h>

namespace penlark {

namespace {

constexpr int FormWidth = 440;
constexpr int ButtonLeft = 340;
constexpr int ButtonWidth = 92;
constexpr int ButtonHeight = 24;
constexpr int BoxWidth = 324;
constexpr int HistorySize = 10;

// Client height and the top of the options frame by style and input mode.
struct Placement {
    int clientHeight;
    int controlTop;
};
constexpr Placement ReplaceMultiLine{275, 188};
constexpr Placement ReplaceSingleLine{154, 63};
constexpr Placement FindMultiLine{181, 98};
constexpr Placement FindSingleLine{126, 35};

// The boxes break lines with LF; the dialog's texts with CR LF, as documents do.
QString boxText(const orvenly::TextBox& box) {
    return orvenly::textWithCrLf(box.storage());
}

void setBoxText(orvenly::TextBox& box, const QString& text) {
    box.storage().setText(text);
    box.setCursorPosition(0);
}

QString firstLine(const QString& text) {
    const qsizetype end = text.indexOf(u"\r\n");
    return end < 0 ? text : text.left(end);
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int top) {
    auto* result = new QPushButton(caption, parent);
    result->setObjectName(QString::fromLatin1(name));
    result->setGeometry(ButtonLeft, top, ButtonWidth, ButtonHeight);
    return result;
}

} // namespace

// The most recent entry first, no duplicates, at most ten; the box keeps its text.
void cDlgReplace::AddToHistory(QComboBox& box, const QString& text) {
    const QSignalBlocker quiet(box);
    const QString shown = box.currentText();
    const int existing = box.findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (existing >= 0)
        box.removeItem(existing);
    else if (box.count() >= HistorySize)
        box.removeItem(HistorySize - 1);
    box.insertItem(0, text);
    box.setEditText(shown);
}

cDlgReplace::cDlgReplace(QWidget* owner) : QDialog(owner, Qt::Tool) {
    buildForm();
    tmrSel.setInterval(250);
    connect(&tmrSel, &QTimer::timeout, this, &cDlgReplace::watchSelection);
    // Both setters run in full from the states before the first assignment.
    m_wholeText = true;
    SetMultiLine(false);
    SetStyle(0);
    cboDirection->setCurrentIndex(0);
    UpdateButtons();
}

cDlgReplace::~cDlgReplace() = default;

void cDlgReplace::buildForm() {
    setModal(false);
    setObjectName(QStringLiteral("cDlgReplace"));

    for (int i = 0; i < 2; ++i) {
        fraFindSrc[i] = new QFrame(this);
        fraFindSrc[i]->setObjectName(QStringLiteral("fraFindSrc%1").arg(i));
        fraFindDest[i] = new QFrame(this);
        fraFindDest[i]->setObjectName(QStringLiteral("fraFindDest%1").arg(i));
    }
    auto combo = [](QFrame* frame, const char* name, const QString& label) {
        frame->setGeometry(8, 0, BoxWidth, 28);
        auto* caption = new QLabel(label, frame);
        caption->setGeometry(0, 4, 120, 20);
        auto* box = new QComboBox(frame);
        box->setObjectName(QString::fromLatin1(name));
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setMaxCount(HistorySize);
        box->setGeometry(122, 2, BoxWidth - 122, 24);
        caption->setBuddy(box);
        return box;
    };
    auto multiLine = [](QFrame* frame, const char* name, const QString& label) {
        auto* caption = new QLabel(label, frame);
        caption->setGeometry(0, 0, BoxWidth, 18);
        auto* box = new orvenly::TextBox(frame);
        box->setObjectName(QString::fromLatin1(name));
        box->setTabChangesFocus(true);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        caption->setBuddy(box);
        return box;
    };
    const QString srcLabel = QString::fromUtf16(u"検索する文字列(&F):");
    const QString destLabel = QString::fromUtf16(u"置換後の文字列(&W):");
    cboSrc = combo(fraFindSrc[0], "cboSrc", srcLabel);
    cboDest = combo(fraFindDest[0], "cboDest", destLabel);
    fraFindSrc[0]->move(8, 4);
    fraFindDest[0]->move(8, 35);
    txtSrc = multiLine(fraFindSrc[1], "txtSrc", srcLabel);
    txtDest = multiLine(fraFindDest[1], "txtDest", destLabel);
    fraFindSrc[1]->setGeometry(8, 4, BoxWidth, 90);
    txtSrc->setGeometry(0, 20, BoxWidth, 70);
    fraFindDest[1]->setGeometry(8, 98, BoxWidth, 86);
    txtDest->setGeometry(0, 20, BoxWidth, 66);

    fraControl = new QFrame(this);
    fraControl->setObjectName(QStringLiteral("fraControl"));
    fraControl->setGeometry(8, 0, BoxWidth, 86);
    fraTarget = new QGroupBox(QString::fromUtf16(u"検索対象"), fraControl);
    fraTarget->setObjectName(QStringLiteral("fraTarget"));
    fraTarget->setGeometry(0, 0, 132, 84);
    optTarget[0] = new QRadioButton(QString::fromUtf16(u"テキスト全体(&P)"), fraTarget);
    optTarget[1] = new QRadioButton(QString::fromUtf16(u"選択範囲(&S)"), fraTarget);
    for (int i = 0; i < 2; ++i) {
        optTarget[i]->setObjectName(QStringLiteral("optTarget%1").arg(i));
        optTarget[i]->setGeometry(8, 22 + 28 * i, 120, 22);
    }
    optTarget[0]->setChecked(true);
    optTarget[1]->setEnabled(false);

    auto* directionLabel = new QLabel(QString::fromUtf16(u"検索方向(&M):"), fraControl);
    directionLabel->setGeometry(140, 2, 84, 20);
    cboDirection = new QComboBox(fraControl);
    cboDirection->setObjectName(QStringLiteral("cboDirection"));
    cboDirection->addItems(
        {QString::fromUtf16(u"全体"), QString::fromUtf16(u"下へ"), QString::fromUtf16(u"上へ")});
    cboDirection->setToolTip(QString::fromUtf16(u"検索する方向を選択します"));
    cboDirection->setGeometry(226, 0, BoxWidth - 226, 22);
    directionLabel->setBuddy(cboDirection);
    auto check = [this](const char* name, const char16_t* caption, int top) {
        auto* box = new QCheckBox(QString::fromUtf16(caption), fraControl);
        box->setObjectName(QString::fromLatin1(name));
        box->setGeometry(140, top, BoxWidth - 140, 20);
        return box;
    };
    chkIgnoreCase = check("chkIgnoreCase", u"大文字小文字を区別しない(&C)", 24);
    chkIgnoreCase->setToolTip(QString::fromUtf16(u"大文字と小文字を区別しません"));
    chkTextCompare = check("chkTextCompare", u"全角半角を区別しない(&T)", 44);
    chkTextCompare->setToolTip(QString::fromUtf16(u"全角文字と半角文字を区別しません"));
    chkRegExp = check("chkRegExp", u"正規表現を使用(&R)", 64);
    chkTextCompare->setEnabled(false);
    chkRegExp->setEnabled(false);

    cmdNext = button(this, "cmdNext", QString::fromUtf16(u"検索開始(&N)"), 8);
    cmdReplacement = button(this, "cmdReplacement", QString::fromUtf16(u"置換(&R)"), 36);
    cmdAll = button(this, "cmdAll", QString::fromUtf16(u"全て置換(&A)"), 64);
    cmdCancel = button(this, "cmdCancel", QString::fromUtf16(u"閉じる(&H)"), 64);
    cmdMode = button(this, "cmdMode", QString::fromUtf16(u"複数行(&B)..."), 96);

    connect(cboSrc, &QComboBox::editTextChanged, this, &cDlgReplace::UpdateButtons);
    connect(cboDest, &QComboBox::editTextChanged, this, &cDlgReplace::UpdateButtons);
    connect(txtSrc, &orvenly::TextBox::textChanged, this, &cDlgReplace::UpdateButtons);
    connect(txtDest, &orvenly::TextBox::textChanged, this, &cDlgReplace::UpdateButtons);
    connect(optTarget[0], &QRadioButton::toggled, this, &cDlgReplace::scopeChanged);
    connect(cboDirection, &QComboBox::currentIndexChanged, this, &cDlgReplace::directionChanged);
    for (QCheckBox* box : {chkIgnoreCase, chkTextCompare, chkRegExp})
        connect(box, &QCheckBox::toggled, this, &cDlgReplace::UpdateOptionFlags);
    connect(cmdNext, &QPushButton::clicked, this,
            [this] { fromButton([this] { FindOrReplaceNext(false); }); });
    connect(cmdReplacement, &QPushButton::clicked, this,
            [this] { fromButton([this] { replaceClicked(); }); });
    connect(cmdAll, &QPushButton::clicked, this,
            [this] { fromButton([this] { ReplaceAllMatches(); }); });
    connect(cmdMode, &QPushButton::clicked, this, &cDlgReplace::modeClicked);
    connect(cmdCancel, &QPushButton::clicked, this, &cDlgReplace::reject);

    for (QWidget* box :
         {static_cast<QWidget*>(cboSrc->lineEdit()), static_cast<QWidget*>(cboDest->lineEdit()),
          static_cast<QWidget*>(txtSrc), static_cast<QWidget*>(txtDest)})
        box->installEventFilter(this);
}

void cDlgReplace::ArrangeLayout() {
    const bool replace = m_style == 1;
    const Placement placement = replace ? (m_multiLine ? ReplaceMultiLine : ReplaceSingleLine)
                                        : (m_multiLine ? FindMultiLine : FindSingleLine);
    setFixedSize(FormWidth, placement.clientHeight);
    fraControl->move(fraControl->x(), placement.controlTop);
    cmdCancel->move(ButtonLeft, replace ? 92 : 64);
    cmdMode->move(ButtonLeft, replace ? 124 : 96);
}

void cDlgReplace::SetStyle(int32_t value) {
    if (value == m_style)
        return;
    EndSearch();
    m_style = value;
    ArrangeLayout();
    const bool replace = m_style == 1;
    if (replace) {
        cmdReplacement->setText(QString::fromUtf16(u"置換(&R)"));
        const bool can = CanSearch(1);
        cmdReplacement->setEnabled(can);
        cmdAll->setEnabled(can);
        setWindowTitle(QString::fromUtf16(u"置換"));
    } else {
        cmdReplacement->setText(QString::fromUtf16(u"置換(&R)..."));
        cmdReplacement->setEnabled(true);
        setWindowTitle(QString::fromUtf16(u"検索"));
    }
    fraFindDest[m_multiLine ? 1 : 0]->setVisible(replace);
    fraFindDest[m_multiLine ? 0 : 1]->setVisible(false);
    cmdAll->setVisible(replace);
}

void cDlgReplace::SetMultiLine(bool value) {
    EndSearch();
    if (value == m_multiLine)
        return;
    m_multiLine = value;
    ArrangeLayout();
    if (m_multiLine) {
        setBoxText(*txtSrc, cboSrc->currentText());
        setBoxText(*txtDest, cboDest->currentText());
        cmdMode->setText(QString::fromUtf16(u"単一行(&B)..."));
        // Enter must break the line.
        cmdNext->setDefault(false);
    } else {
        cboSrc->setEditText(firstLine(boxText(*txtSrc)));
        cboDest->setEditText(firstLine(boxText(*txtDest)));
        cmdMode->setText(QString::fromUtf16(u"複数行(&B)..."));
        cmdNext->setDefault(true);
    }
    fraFindSrc[0]->setVisible(!m_multiLine);
    fraFindSrc[1]->setVisible(m_multiLine);
    const bool replace = m_style == 1;
    fraFindDest[0]->setVisible(replace && !m_multiLine);
    fraFindDest[1]->setVisible(replace && m_multiLine);
}

void cDlgReplace::modeClicked() {
    SetMultiLine(!m_multiLine);
}

QString cDlgReplace::searchText() const {
    return m_multiLine ? boxText(*txtSrc) : cboSrc->currentText();
}

QString cDlgReplace::replacementText() const {
    return m_multiLine ? boxText(*txtDest) : cboDest->currentText();
}

QString cDlgReplace::SearchPattern() const {
    return searchText();
}

void cDlgReplace::SetSearchPattern(const QString& value) {
    EndSearch();
    if (value.contains(u"\r\n"))
        SetMultiLine(true);
    if (m_multiLine)
        setBoxText(*txtSrc, value);
    else
        cboSrc->setEditText(value);
}

void cDlgReplace::SetTarget(orvenly::TextEditor* value) {
    EndSearch();
    if (m_Target) {
        m_Target->removeEventFilter(this);
        m_Target->viewport()->removeEventFilter(this);
        disconnect(m_Target, nullptr, this, nullptr);
    }
    m_watchedBox = nullptr;
    m_watchedViewport = nullptr;
    m_targetEditor = value;
    m_Target = value ? value->Target() : nullptr;
    if (m_Target) {
        // Installed after the editor's own filter, so every key and click is seen first here.
        m_Target->installEventFilter(this);
        m_Target->viewport()->installEventFilter(this);
        m_watchedBox = m_Target;
        m_watchedViewport = m_Target->viewport();
        connect(m_Target, &orvenly::TextBox::textChanged, this, [this] {
            if (!m_replacing)
                EndSearch();
        });
    }
    if (m_Target)
        tmrSel.start();
    else
        tmrSel.stop();
}

void cDlgReplace::UpdateOptionFlags() {
    const bool regex = chkRegExp->isEnabled() && chkRegExp->isChecked();
    chkTextCompare->setEnabled(!regex && chkIgnoreCase->isChecked());
    m_flags =
        (regex ? searchflags::RegExp : 0) |
        (chkIgnoreCase->isChecked() ? searchflags::IgnoreCase : 0) |
        (chkTextCompare->isEnabled() && chkTextCompare->isChecked() ? searchflags::IgnoreWidth : 0);
    UpdateButtons();
}

void cDlgReplace::directionChanged(int index) {
    EndSearch();
    m_direction = static_cast<SearchDirection>(index);
    chkRegExp->setEnabled(m_direction != SearchDirection::Up);
    UpdateOptionFlags();
}

void cDlgReplace::scopeChanged() {
    m_wholeText = optTarget[0]->isChecked();
    UpdateButtons();
}

void cDlgReplace::UpdateButtons() {
    EndSearch();
    cmdNext->setEnabled(CanSearch(0));
    if (m_style == 1) {
        const bool can = CanSearch(1);
        cmdReplacement->setEnabled(can);
        cmdAll->setEnabled(can);
    }
}

bool cDlgReplace::CanSearch(int kind) const {
    const QString search = searchText();
    if (search.isEmpty())
        return false;
    if (m_flags & searchflags::RegExp) {
        RegExp probe;
        probe.SetPattern(search);
        try {
            probe.Test(u"test");
            return true;
        } catch (const orvenly::AutomationError&) {
            return false;
        }
    }
    return kind == 0 || TextsDiffer(search, replacementText(), m_flags);
}

void cDlgReplace::watchSelection() {
    if (!m_targetEditor || !m_Target || m_running)
        return;
    const bool selection = m_targetEditor->SelLength() != 0;
    optTarget[1]->setEnabled(selection);
    if (!selection && optTarget[1]->isChecked())
        optTarget[0]->setChecked(true);
}

void cDlgReplace::activated() {
    if (m_running)
        return;
    if (m_targetEditor && m_Target && m_targetEditor->SelLength() != 0 &&
        m_targetEditor->SelText().contains(u"\r\n")) {
        optTarget[1]->setEnabled(true);
        optTarget[1]->setChecked(true);
    }
    // Regular expressions are always at hand here, so only the direction disables them.
    chkRegExp->setEnabled(m_direction != SearchDirection::Up);
    UpdateOptionFlags();
}

// Selects the whole text of a box that takes the focus, unless a mouse press put the caret;
// the multi-line boxes of the second input mode are not line edits, so they are done here.
void cDlgReplace::focusOnEdit(QWidget* box) {
    auto* text = qobject_cast<orvenly::TextBox*>(box);
    if (!text) {
        orvenly::UserInterface::instance().FocusOnEdit(box);
        return;
    }
    if (!(QApplication::mouseButtons() & (Qt::LeftButton | Qt::RightButton)))
        text->selectAll();
}

bool cDlgReplace::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        activated();
    return QDialog::event(event);
}

bool cDlgReplace::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // Compared as plain objects: the box's viewport still sends events while the box is
    // being destroyed, when it is no longer a text box.
    if (watched && (watched == m_watchedBox || watched == m_watchedViewport)) {
        if (type == QEvent::KeyPress || type == QEvent::MouseButtonPress ||
            type == QEvent::MouseButtonRelease)
            EndSearch();
        return false;
    }
    const bool multiLineBox = watched == txtSrc || watched == txtDest;
    if (type == QEvent::FocusIn) {
        focusOnEdit(static_cast<QWidget*>(watched));
        if (multiLineBox)
            cmdNext->setDefault(false);
    } else if (type == QEvent::FocusOut && multiLineBox) {
        cmdNext->setDefault(true);
    }
    return QDialog::eventFilter(watched, event);
}

void cDlgReplace::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

void cDlgReplace::reject() {
    EndSearch();
    hide();
}

} // namespace penlark
