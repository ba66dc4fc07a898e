#pragma once

#include <QFileDialog>
#include <cstdint>

class QCheckBox;

namespace orvenly::filedialog {

// The host's file dialog, non-native so that it behaves alike everywhere, with the checks of
// the object's flags made before it closes and its questions asked through MsgBox.
class HostFileDialog : public QFileDialog {
public:
    enum class Purpose { Open, Save, Folder };

    HostFileDialog(QWidget* parent, Purpose purpose, int32_t flags, const QString& title,
                   const QString& directory);

    // Shows filters (none: every file) with the 1-based index selected, a first one otherwise.
    void setFilters(const QStringList& filters, int32_t index);
    // The 1-based index of the filter in use; 0 without filters.
    int32_t chosenFilter() const;
    // Adds the read-only check box under the file list.
    QCheckBox* addReadOnlyBox(bool checked);

    void accept() override;

private:
    // Whether the chosen files may be taken, after asking where the flags say so.
    bool confirmed(const QStringList& files);

    Purpose m_purpose;
    int32_t m_flags;
    QStringList m_filters;
};

} // namespace orvenly::filedialog
