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
    // The extension (without its dot) of a typed name that names no file as typed. Opening
    // adds it only then, so that a file without an extension opens as typed.
    void setOpenExtension(const QString& extension);
    // The files the dialog was accepted with.
    QStringList chosenFiles() const;

    void accept() override;

private:
    QStringList withOpenExtension(const QStringList& files) const;
    // Keeps the accept button enabled while a name is typed: the name is checked on accept,
    // with a message that says what is wrong with it.
    void keepAcceptForTypedNames();

    // Whether the chosen files may be taken, after asking where the flags say so.
    bool confirmed(const QStringList& files);

    Purpose m_purpose;
    int32_t m_flags;
    QStringList m_filters;
    QString m_openExtension;
    QStringList m_chosen;
};

} // namespace orvenly::filedialog
