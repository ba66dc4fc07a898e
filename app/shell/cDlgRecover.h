#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <vector>

class QTreeWidget;

namespace penlark {

// One journal of unsaved work as the start-up question lists it.
struct RecoverEntry {
    QString document; // the file, or "無題"
    QString lastEdit;
    QString changeSize;
};

// What to do with the journals found at start.
struct RecoverChoice {
    enum Action : int32_t { Restore = 0, Discard = 1, Later = 2 };
    Action action = Later;
    // Indexes of the entries it applies to.
    std::vector<int> chosen;
};

// Lists the unsaved work a previous run left behind, every entry checked, and asks what to do
// with the checked ones: restore them (the default, so Return restores all), discard them, or
// decide at a later start (Esc, the close box). Scripted as kind "Recover", details one line
// per entry; the answer's value is the action and its files the chosen indexes (none: all).
class cDlgRecover : public QDialog {
    Q_OBJECT

public:
    static RecoverChoice ShowRecover(const std::vector<RecoverEntry>& entries, QWidget* owner);

private:
    cDlgRecover(const std::vector<RecoverEntry>& entries, QWidget* owner);
    std::vector<int> checked() const;

    QTreeWidget* lstEntries = nullptr;
    RecoverChoice::Action m_action = RecoverChoice::Later;
};

} // namespace penlark
