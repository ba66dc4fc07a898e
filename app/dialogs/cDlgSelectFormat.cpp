#include "dialogs/cDlgSelectFormat.h"

#include "dialogs/FormParts.h"
#include "orvenly/Modal.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace penlark {

using orvenly::TextForm;

namespace {

using namespace Qt::StringLiterals;

QString captionOf(int32_t style) {
    switch (style) {
    case cDlgSelectFormat::StyleRecognise:
        return u"最適な文字セットの選択"_s;
    case cDlgSelectFormat::StyleSave:
        return u"文字セットを指定して保存"_s;
    default:
        return u"文字セットを指定して開く"_s;
    }
}

} // namespace

int32_t cDlgSelectFormat::ShowSelect(int32_t Style, int32_t Default, QWidget* Owner) {
    if (const auto answer = orvenly::modal::scripted(
            {u"SelectFormat"_s, captionOf(Style), {}, Style, {QString::number(Default)}}))
        return answer->value;

    cDlgSelectFormat dialog(Style, Default, Owner);
    dialog.exec();
    return dialog.m_Result;
}

cDlgSelectFormat::cDlgSelectFormat(int32_t style, int32_t defaultFormat, QWidget* owner)
    : QDialog(owner) {
    setWindowTitle(captionOf(style));

    cboCharset = namedList(u"cboCharset"_s, {}, this);
    if (style != StyleRecognise && style != StyleSave)
        cboCharset->addItem(u"自動判別"_s, 0);
    const QList<FormChoice>& forms = style == StyleRecognise ? legacyForms()
                                     : style == StyleSave    ? writeForms()
                                                             : readForms();
    for (const FormChoice& choice : forms)
        cboCharset->addItem(choice.caption, formValue(choice.form));
    cboBreak = namedList(u"cboBreak"_s, QStringList{u"自動判別"_s} + breakCaptions(), this);
    // A value the lists do not have selects nothing. Reading, the bytes tell the mark.
    const TextForm form = formOf(defaultFormat);
    int charsetPosition = cboCharset->findData(formValue(form));
    if (charsetPosition < 0 && style != StyleSave)
        charsetPosition = cboCharset->findData(int32_t(form.charset));
    const int breakPosition = defaultFormat / 65536;
    cboCharset->setCurrentIndex(charsetPosition);
    cboBreak->setCurrentIndex(breakPosition < cboBreak->count() ? breakPosition : -1);

    auto* charsetLabel = new QLabel(u"文字セット(&C) :"_s, this);
    charsetLabel->setBuddy(cboCharset);
    auto* breakLabel = new QLabel(u"改行コード(&B) :"_s, this);
    breakLabel->setBuddy(cboBreak);

    auto* cmdOpen = new QPushButton(style == StyleSave ? u"保存"_s : u"開く"_s, this);
    cmdOpen->setObjectName(u"cmdOpen"_s);
    cmdOpen->setDefault(true);
    auto* cmdCancel = new QPushButton(u"キャンセル"_s, this);
    cmdCancel->setObjectName(u"cmdCancel"_s);
    connect(cmdOpen, &QPushButton::clicked, this, [this] {
        m_Result = selection();
        accept();
    });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOpen);
    buttons->addWidget(cmdCancel);
    buttons->addStretch();
    auto* grid = new QGridLayout(this);
    grid->addWidget(charsetLabel, 0, 0);
    grid->addWidget(cboCharset, 0, 1);
    grid->addWidget(breakLabel, 1, 0);
    grid->addWidget(cboBreak, 1, 1);
    grid->addLayout(buttons, 0, 2, 3, 1);
    grid->setRowStretch(2, 1);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    cboCharset->setFocus();
}

int32_t cDlgSelectFormat::selection() const {
    // No selection in a list counts as its "recognise" or "keep" value, never as a negative
    // half that would corrupt the other one.
    const int charsetPosition = cboCharset->currentIndex();
    const int breakPosition = cboBreak->currentIndex();
    const int32_t charset = charsetPosition < 0 ? 0 : cboCharset->itemData(charsetPosition).toInt();
    const int32_t breakCode = breakPosition < 0 ? 0 : breakPosition;
    return formatSelection(charset, breakCode);
}

} // namespace penlark
