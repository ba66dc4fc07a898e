#pragma once

#include <QPointer>
#include <QWidget>

class QComboBox;
class QLineEdit;

namespace penlark {

class ChildWindow;

// The tool window showing the active document's full path, charset and line-break code and
// letting the user change the latter two. It is created once, hidden rather than closed and
// retargeted as documents activate.
class cFloatEditorProperty : public QWidget {
    Q_OBJECT

public:
    explicit cFloatEditorProperty(QWidget* parent = nullptr);

    ChildWindow* Target() const;
    // Another document is shown at once; the same one changes nothing. None clears the window.
    void SetTarget(ChildWindow* value);
    // Shows the target's path, charset and line-break code again.
    void UpdateProperties();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void charsetChosen(int index);
    void breakChosen(int index);

    QLineEdit* txtFileName = nullptr;
    QComboBox* cboCharset = nullptr;
    QComboBox* cboBreak = nullptr;
    // Cleared by itself when the document goes away before the frame retargets the window.
    QPointer<ChildWindow> m_Target;
    // Set while the lists are filled, so that their handlers leave the document alone.
    bool m_Updating = false;
};

} // namespace penlark
