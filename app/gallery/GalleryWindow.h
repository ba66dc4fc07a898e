#pragma once

#include "gallery/GalleryEntry.h"

#include <QMainWindow>
#include <memory>
#include <vector>

class QComboBox;
class QGroupBox;

namespace tamsell {
class PropertySheet;
}

namespace gallery {

class Inspector;

// Every control of the library on one form, each in a frame of its own, and beside them a
// property sheet that shows and edits the properties of the control last clicked or focused.
// The status bar tells the controls' events.
class GalleryWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit GalleryWindow(std::vector<GalleryEntry> entries, QWidget* parent = nullptr);
    ~GalleryWindow() override;

    int count() const { return int(m_shown.size()); }
    QWidget* control(int index) const { return m_shown.at(size_t(index)).control; }
    // Shows the properties of the control at that position.
    void inspect(int index);
    int inspected() const { return m_inspected; }
    tamsell::PropertySheet& inspector() const { return *m_sheet; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Shown {
        GalleryEntry entry;
        QGroupBox* frame;
        QWidget* control;
    };

    void focusMoved(QWidget* now);
    void report(const QString& name, const QString& event);

    std::vector<Shown> m_shown;
    QComboBox* m_target;
    tamsell::PropertySheet* m_sheet;
    std::unique_ptr<Inspector> m_inspector;
    int m_inspected = -1;
};

} // namespace gallery
