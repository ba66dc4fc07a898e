#include "orvenly/AutomationError.h"
#include "orvenly/FileDialog.h"
#include "orvenly/Modal.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

namespace orvenly {
namespace {

// What the print record carries in and out of the dialog; pages and copies are 16-bit there.
struct PrintRecord {
    int32_t flags = 0;
    int32_t fromPage = 0;
    int32_t toPage = 0;
    int32_t minPage = 0;
    int32_t maxPage = 0;
    int32_t copies = 0;
};

constexpr int32_t Word = 0xFFFF;
constexpr int32_t ChoiceFlags = PD_SELECTION | PD_PAGENUMS | PD_COLLATE | PD_PRINTTOFILE;

int32_t word(int32_t value) {
    return std::clamp(value, 0, Word);
}

// The print options the host can offer without a printer of its own: range, copies, collation
// and output to a file.
class PrintOptionsDialog : public QDialog {
public:
    PrintOptionsDialog(QWidget* parent, const PrintRecord& record)
        : QDialog(parent), m_flags(record.flags) {
        setWindowTitle(QStringLiteral("印刷"));
        auto* range = new QGroupBox(QStringLiteral("印刷範囲"), this);
        auto* rangeLayout = new QVBoxLayout(range);
        m_all = new QRadioButton(QStringLiteral("すべて(&A)"), range);
        m_selection = new QRadioButton(QStringLiteral("選択した部分(&S)"), range);
        m_pages = new QRadioButton(QStringLiteral("ページ指定(&G)"), range);
        const int32_t low = word(record.minPage);
        const int32_t high = std::max(low, word(record.maxPage));
        m_from = spin(low, high, record.fromPage);
        m_to = spin(low, high, record.toPage);
        auto* pageForm = new QFormLayout;
        pageForm->addRow(QStringLiteral("開始(&F):"), m_from);
        pageForm->addRow(QStringLiteral("終了(&T):"), m_to);
        rangeLayout->addWidget(m_all);
        rangeLayout->addWidget(m_selection);
        rangeLayout->addWidget(m_pages);
        rangeLayout->addLayout(pageForm);
        m_selection->setEnabled(!(m_flags & PD_NOSELECTION));
        const bool pagesAllowed = !(m_flags & PD_NOPAGENUMS);
        for (QWidget* widget : {static_cast<QWidget*>(m_pages), static_cast<QWidget*>(m_from),
                                static_cast<QWidget*>(m_to)})
            widget->setEnabled(pagesAllowed);
        if ((m_flags & PD_PAGENUMS) && pagesAllowed)
            m_pages->setChecked(true);
        else if ((m_flags & PD_SELECTION) && m_selection->isEnabled())
            m_selection->setChecked(true);
        else
            m_all->setChecked(true);

        m_copies = spin(1, 9999, record.copies);
        m_collate = new QCheckBox(QStringLiteral("部単位で印刷(&O)"), this);
        m_collate->setChecked(m_flags & PD_COLLATE);
        m_toFile = new QCheckBox(QStringLiteral("ファイルへ出力(&L)"), this);
        m_toFile->setChecked(m_flags & PD_PRINTTOFILE);
        m_toFile->setEnabled(!(m_flags & PD_DISABLEPRINTTOFILE));
        m_toFile->setVisible(!(m_flags & PD_HIDEPRINTTOFILE));

        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

        auto* copiesForm = new QFormLayout;
        copiesForm->addRow(QStringLiteral("部数(&C):"), m_copies);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(range);
        layout->addLayout(copiesForm);
        layout->addWidget(m_collate);
        layout->addWidget(m_toFile);
        layout->addWidget(buttons);
    }

    PrintRecord result(PrintRecord record) const {
        record.flags = m_flags & ~ChoiceFlags;
        if (m_pages->isChecked())
            record.flags |= PD_PAGENUMS;
        else if (m_selection->isChecked())
            record.flags |= PD_SELECTION;
        if (m_collate->isChecked())
            record.flags |= PD_COLLATE;
        if (m_toFile->isChecked())
            record.flags |= PD_PRINTTOFILE;
        record.fromPage = m_from->value();
        record.toPage = m_to->value();
        record.copies = m_copies->value();
        return record;
    }

    void accept() override {
        if (m_pages->isChecked() && m_from->value() > m_to->value()) {
            MsgBox(this, QStringLiteral("開始ページが終了ページより後になっています。"),
                   msgbox::Exclamation);
            return;
        }
        QDialog::accept();
    }

private:
    QSpinBox* spin(int32_t low, int32_t high, int32_t value) {
        auto* box = new QSpinBox(this);
        box->setRange(low, high);
        box->setValue(std::clamp(word(value), low, high));
        return box;
    }

    int32_t m_flags;
    QRadioButton* m_all;
    QRadioButton* m_selection;
    QRadioButton* m_pages;
    QSpinBox* m_from;
    QSpinBox* m_to;
    QSpinBox* m_copies;
    QCheckBox* m_collate;
    QCheckBox* m_toFile;
};

// A scripted answer's values over the record; entries left out or unreadable keep it.
PrintRecord fromAnswer(const QStringList& files, PrintRecord record) {
    int32_t* const targets[] = {&record.flags, &record.fromPage, &record.toPage, &record.copies};
    for (qsizetype i = 0; i < std::min<qsizetype>(files.size(), 4); ++i) {
        bool ok = false;
        const int32_t value = files[i].toInt(&ok);
        if (ok)
            *targets[i] = i == 0 ? value : word(value);
    }
    return record;
}

} // namespace

bool FileDialog::ShowPrinter() {
    const PrintRecord record{m_flags,     word(m_fromPage), word(m_toPage),
                             word(m_min), word(m_max),      word(m_copies)};
    std::optional<PrintRecord> chosen;
    try {
        const QStringList details{QString::number(record.fromPage), QString::number(record.toPage),
                                  QString::number(record.minPage), QString::number(record.maxPage),
                                  QString::number(record.copies)};
        if (const auto answer =
                modal::scripted({QStringLiteral("Printer"), {}, {}, m_flags, details})) {
            if (answer->value != 0)
                chosen = fromAnswer(answer->files, record);
        } else if (m_flags & PD_RETURNDEFAULT) {
            // Asks for the defaults without showing anything.
            chosen = record;
        } else {
            PrintOptionsDialog dialog(m_owner, record);
            if (dialog.exec() == QDialog::Accepted)
                chosen = dialog.result(record);
        }
    } catch (const AutomationError&) {
        return false;
    }
    if (!chosen)
        return false;
    m_fromPage = chosen->fromPage;
    m_toPage = chosen->toPage;
    m_copies = chosen->copies;
    m_collate = (chosen->flags & PD_COLLATE) != 0;
    m_printToFile = (chosen->flags & PD_PRINTTOFILE) != 0;
    m_targetPage = (chosen->flags & PD_PAGENUMS)    ? PDT_PAGENUMS
                   : (chosen->flags & PD_SELECTION) ? PDT_SELECTION
                                                    : PDT_ALLPAGES;
    return true;
}

} // namespace orvenly
