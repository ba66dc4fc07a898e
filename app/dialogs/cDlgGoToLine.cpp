#include "dialogs/cDlgGoToLine.h"

#include "dialogs/FormParts.h"
#include "orvenly/Modal.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

namespace penlark {

namespace {

using namespace Qt::StringLiterals;

const QString Caption = u"指定行へ移動"_s;

// A number too long for 32 bits is out of range all the same, and clamps like one.
int32_t numberOf(const QString& text) {
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    if (!ok)
        return text.trimmed().isEmpty() ? 0 : std::numeric_limits<int32_t>::max();
    return int32_t(std::clamp<qlonglong>(value, std::numeric_limits<int32_t>::min(),
                                         std::numeric_limits<int32_t>::max()));
}

cDlgGoToLine::Target targetOf(const QString& line, const QString& column) {
    return {numberOf(line), numberOf(column)};
}

} // namespace

std::optional<cDlgGoToLine::Target> cDlgGoToLine::ShowGoToLine(int32_t LineCount, int32_t Line,
                                                               QWidget* Owner) {
    if (const auto answer = orvenly::modal::scripted(
            {u"GoToLine"_s, Caption, {}, LineCount, {QString::number(Line)}})) {
        if (answer->value != orvenly::msgbox::OK)
            return std::nullopt;
        return targetOf(answer->files.value(0), answer->files.value(1));
    }
    cDlgGoToLine dialog(LineCount, Line, Owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return targetOf(dialog.m_txtLine->text(), dialog.m_txtColumn->text());
}

cDlgGoToLine::cDlgGoToLine(int32_t lineCount, int32_t line, QWidget* owner) : QDialog(owner) {
    setWindowTitle(Caption);
    const auto* digits =
        new QRegularExpressionValidator(QRegularExpression(u"[0-9]{0,10}"_s), this);
    m_txtLine = new QLineEdit(QString::number(line), this);
    m_txtLine->setObjectName(u"txtLine"_s);
    m_txtLine->setValidator(digits);
    m_txtLine->selectAll();
    m_txtColumn = new QLineEdit(this);
    m_txtColumn->setObjectName(u"txtColumn"_s);
    m_txtColumn->setValidator(digits);
    m_txtColumn->setPlaceholderText(u"省略可"_s);

    auto* cmdOK = namedButton(u"cmdOK"_s, u"OK"_s, this);
    cmdOK->setDefault(true);
    auto* cmdCancel = namedButton(u"cmdCancel"_s, u"キャンセル"_s, this);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_txtLine, &QLineEdit::textChanged, cmdOK,
            [cmdOK](const QString& text) { cmdOK->setEnabled(!text.isEmpty()); });

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addStretch();
    auto* grid = new QGridLayout(this);
    // The valid range stands in the label; a number outside it goes to the nearest end.
    grid->addWidget(labelFor(u"行番号 (1 - %1)(&L) :"_s.arg(lineCount), m_txtLine, this), 0, 0);
    grid->addWidget(m_txtLine, 0, 1);
    grid->addWidget(labelFor(u"列(&C) :"_s, m_txtColumn, this), 1, 0);
    grid->addWidget(m_txtColumn, 1, 1);
    grid->addLayout(buttons, 0, 2, 3, 1);
    grid->setRowStretch(2, 1);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    m_txtLine->setFocus();
}

} // namespace penlark
