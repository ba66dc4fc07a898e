#include "shell/cFloatEditorProperty.h"

#include "common/TextForms.h"
#include "shell/ChildWindow.h"

#include <QComboBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace penlark {

namespace {

using namespace Qt::StringLiterals;

QComboBox* makeList(const QString& name, std::initializer_list<std::pair<QString, int32_t>> items,
                    QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    for (const auto& [text, value] : items)
        list->addItem(text, value);
    return list;
}

// Selects the item whose data is value, searching from the last item; nothing when none is.
void selectValue(QComboBox& list, int32_t value) {
    int index = list.count() - 1;
    while (index >= 0 && list.itemData(index).toInt() != value)
        --index;
    list.setCurrentIndex(index);
}

} // namespace

cFloatEditorProperty::cFloatEditorProperty(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setWindowTitle(u"プロパティ"_s);

    txtFileName = new QLineEdit(this);
    txtFileName->setObjectName(u"txtFileName"_s);
    txtFileName->setReadOnly(true);
    cboCharset = new QComboBox(this);
    cboCharset->setObjectName(u"cboCharset"_s);
    for (const FormChoice& choice : writeForms())
        cboCharset->addItem(choice.caption, formValue(choice.form));
    cboBreak = makeList(u"cboBreak"_s,
                        {{breakCaptions()[0], orvenly::SLB_CRLF},
                         {breakCaptions()[1], orvenly::SLB_CR},
                         {breakCaptions()[2], orvenly::SLB_LF}},
                        this);
    cboCharset->setCurrentIndex(-1);
    cboBreak->setCurrentIndex(-1);
    connect(cboCharset, &QComboBox::currentIndexChanged, this,
            &cFloatEditorProperty::charsetChosen);
    connect(cboBreak, &QComboBox::currentIndexChanged, this, &cFloatEditorProperty::breakChosen);

    auto* layout = new QFormLayout(this);
    layout->addRow(u"ファイル名 :"_s, txtFileName);
    layout->addRow(u"文字セット(&C) :"_s, cboCharset);
    layout->addRow(u"改行コード(&B) :"_s, cboBreak);
    txtFileName->setMinimumWidth(txtFileName->fontMetrics().averageCharWidth() * 40);
}

ChildWindow* cFloatEditorProperty::Target() const {
    return m_Target;
}

void cFloatEditorProperty::SetTarget(ChildWindow* value) {
    if (value == m_Target)
        return;
    m_Target = value;
    UpdateProperties();
}

void cFloatEditorProperty::UpdateProperties() {
    m_Updating = true;
    if (m_Target) {
        txtFileName->setText(m_Target->FullPath());
        selectValue(*cboCharset, formValue(m_Target->Form()));
        selectValue(*cboBreak, m_Target->BreakCode());
    } else {
        // Without a document the window shows nothing rather than a closed one's values.
        txtFileName->clear();
        cboCharset->setCurrentIndex(-1);
        cboBreak->setCurrentIndex(-1);
    }
    m_Updating = false;
}

void cFloatEditorProperty::charsetChosen(int index) {
    if (m_Updating || !m_Target || index < 0)
        return;
    m_Target->SetForm(formOf(cboCharset->itemData(index).toInt()));
}

void cFloatEditorProperty::breakChosen(int index) {
    if (m_Updating || !m_Target || index < 0)
        return;
    m_Target->SetBreakCode(
        static_cast<orvenly::StringLineBreakCodeConstants>(cboBreak->itemData(index).toInt()));
}

void cFloatEditorProperty::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        hide();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace penlark
