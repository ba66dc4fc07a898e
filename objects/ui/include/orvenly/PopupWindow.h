#pragma once

#include "orvenly/Variant.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <limits>

class QMouseEvent;

namespace orvenly {

// Where the pop-up goes relative to its source. Only the bits 1 and 2 count.
enum PopupWindowDirectionConstants : int32_t {
    PWD_DOWN = 0,   // below the source, above it when there is no room
    PWD_RIGHT = 1,  // right of the source, left of it when there is no room
    PWD_SCREEN = 2, // the source is a point or rectangle on the screen (the mouse pointer)
};

// Alignment across the direction.
enum PopupWindowAlignConstants : int32_t {
    PWA_TOPLEFT = 0,
    PWA_CENTER = 1,
    PWA_BOTTOMRIGHT = 2,
    PWA_ADJUST = 3, // the pop-up takes the source's extent across the direction
};

// Marks a position argument as not given.
inline constexpr int32_t PopupNotGiven = std::numeric_limits<int32_t>::min();

// Builds the form to show. It runs while the pop-up loads, so the form may read
// PopupWindow::instance().InitParam() to learn its parameter. The pop-up owns the form from
// then on and deletes it when it closes.
using PopupFormLoader = std::function<QWidget*()>;

// Shows a form as a drop-down next to a widget or the mouse pointer and keeps the caller
// waiting until it closes. A press elsewhere in the source's window closes it and then
// reaches the widget under it, except on the disabled part of the source, where it only
// closes. One pop-up at a time: showing a second one first closes the first.
class PopupWindow : public QObject {
    Q_OBJECT

public:
    // The application-wide instance.
    static PopupWindow& instance();

    // The parameter being passed in (while the form loads) or back (from QuitPopupWindow until
    // the waiting PopupWindowEx has taken it); Empty otherwise.
    Variant InitParam() const { return m_initParam; }

    // Shows the form the loader builds and returns the result passed to QuitPopupWindow (0 when
    // closed any other way). x, y, cx, cy select a part of the source (offsets from its window
    // rectangle) or, with PWD_SCREEN, a rectangle on the screen instead of the pointer;
    // xDisable... narrow the part of the source where a press only closes the pop-up. Param is
    // passed in as InitParam and set to the parameter passed back. Returns 0 at once for a
    // missing source or form.
    int32_t PopupWindowEx(QWidget* hwndSrc, const PopupFormLoader& PopupForm,
                          int32_t Direction = PWD_DOWN, int32_t Align = PWA_TOPLEFT,
                          int32_t x = PopupNotGiven, int32_t y = PopupNotGiven, int32_t cx = -1,
                          int32_t cy = -1, int32_t xDisable = PopupNotGiven,
                          int32_t yDisable = PopupNotGiven, int32_t cxDisable = -1,
                          int32_t cyDisable = -1, Variant* Param = nullptr);

    // Closes the pop-up shown, handing Result and Param to the waiting PopupWindowEx. Does
    // nothing when no pop-up is shown.
    void QuitPopupWindow(int32_t Result = 0, const Variant& Param = int32_t(0));

    // The form being shown, or null.
    QWidget* form() const { return m_form; }
    bool isActive() const { return m_active != nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PopupWindow() = default;
    struct Showing;

    void watchOwner(QWidget* owner);
    void unwatchOwner();
    void pressedOutside(const QMouseEvent& press);

    Showing* m_active = nullptr;
    QPointer<QWidget> m_form;
    QPointer<QWidget> m_owner;
    QPointer<QWidget> m_source;
    QRect m_disabled; // screen pixels; empty for none
    Variant m_initParam;
    QList<QMetaObject::Connection> m_connections;
};

} // namespace orvenly
