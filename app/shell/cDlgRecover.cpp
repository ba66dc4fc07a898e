#include "shell/cDlgRecover.h"

#include "common/Resource.h"
#include "common/StringIds.h"
#include "orvenly/Modal.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace penlark {

RecoverChoice cDlgRecover::ShowRecover(const std::vector<RecoverEntry>& entries, QWidget* owner) {
    QStringList lines;
    for (const RecoverEntry& entry : entries)
        lines.append(entry.document + u'\t' + entry.lastEdit + u'\t' + entry.changeSize);
    RecoverChoice choice;
    if (const auto answer = orvenly::modal::scripted(
            {u"Recover"_s, FormatResString(strings::RecoverPrompt, {}), {}, 0, lines})) {
        choice.action = RecoverChoice::Action(answer->value);
        for (const QString& index : answer->files)
            choice.chosen.push_back(index.toInt());
        if (answer->files.isEmpty())
            for (int i = 0; i < int(entries.size()); ++i)
                choice.chosen.push_back(i);
        return choice;
    }
    cDlgRecover dialog(entries, owner);
    dialog.exec();
    choice.action = dialog.m_action;
    if (choice.action != RecoverChoice::Later)
        choice.chosen = dialog.checked();
    return choice;
}

cDlgRecover::cDlgRecover(const std::vector<RecoverEntry>& entries, QWidget* owner)
    : QDialog(owner) {
    setWindowTitle(QApplication::applicationName());
    auto* layout = new QVBoxLayout(this);
    auto* prompt = new QLabel(FormatResString(strings::RecoverPrompt, {}), this);
    prompt->setTextFormat(Qt::PlainText);
    layout->addWidget(prompt);

    lstEntries = new QTreeWidget(this);
    lstEntries->setObjectName(u"lstEntries"_s);
    lstEntries->setRootIsDecorated(false);
    lstEntries->setHeaderLabels({u"文書"_s, u"最後の編集"_s, u"変更の大きさ"_s});
    for (const RecoverEntry& entry : entries) {
        auto* item =
            new QTreeWidgetItem(lstEntries, {entry.document, entry.lastEdit, entry.changeSize});
        item->setCheckState(0, Qt::Checked);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    lstEntries->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    lstEntries->header()->setStretchLastSection(false);
    lstEntries->setMinimumWidth(560);
    layout->addWidget(lstEntries);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* restore = buttons->addButton(u"復元(&R)"_s, QDialogButtonBox::AcceptRole);
    QPushButton* discard = buttons->addButton(u"破棄(&D)"_s, QDialogButtonBox::DestructiveRole);
    QPushButton* later = buttons->addButton(u"後で(&L)"_s, QDialogButtonBox::RejectRole);
    restore->setObjectName(u"cmdRestore"_s);
    discard->setObjectName(u"cmdDiscard"_s);
    later->setObjectName(u"cmdLater"_s);
    restore->setDefault(true);
    restore->setFocus();
    connect(restore, &QPushButton::clicked, this, [this] {
        m_action = RecoverChoice::Restore;
        accept();
    });
    connect(discard, &QPushButton::clicked, this, [this] {
        m_action = RecoverChoice::Discard;
        accept();
    });
    connect(later, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(buttons);
}

std::vector<int> cDlgRecover::checked() const {
    std::vector<int> indexes;
    for (int i = 0; i < lstEntries->topLevelItemCount(); ++i)
        if (lstEntries->topLevelItem(i)->checkState(0) == Qt::Checked)
            indexes.push_back(i);
    return indexes;
}

} // namespace penlark
