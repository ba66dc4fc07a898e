#include "orvenly/PopupWindow.h"

#include "PopupPlacement.h"
#include "orvenly/AutomationError.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

namespace orvenly {

namespace {

// The press that closed a pop-up, to be replayed once it is gone.
struct Click {
    QPointer<QWidget> window;
    QPoint global;
    Qt::MouseButton button = Qt::NoButton;
    Qt::KeyboardModifiers modifiers;
};

QRect windowRectangle(const QWidget* widget) {
    if (widget->isWindow())
        return widget->frameGeometry();
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

QRect usableScreen(QWidget* source, const popup::Edges& at) {
    QScreen* screen = QGuiApplication::screenAt(QPoint(at.left, at.top));
    if (!screen)
        screen = source->screen();
    return screen ? screen->availableGeometry() : QRect();
}

// The form as a pop-up window of the owner, so that it goes when the owner goes.
void makePopup(QWidget* form, QWidget* owner) {
    const Qt::WindowFlags hints = form->windowFlags() & ~Qt::WindowType_Mask;
    if (form->parentWidget() != owner || form->windowType() != Qt::Popup)
        form->setParent(owner, hints | Qt::Popup);
    if (!form->testAttribute(Qt::WA_Resized))
        form->adjustSize();
}

// Posted rather than sent, so that it arrives after the caller has dealt with the result, as
// the user's next input would.
void replay(const Click& click) {
    if (!click.window || !click.window->windowHandle())
        return;
    const QPointF local = click.window->mapFromGlobal(click.global);
    QCoreApplication::postEvent(click.window->windowHandle(),
                                new QMouseEvent(QEvent::MouseButtonPress, local, local,
                                                QPointF(click.global), click.button, click.button,
                                                click.modifiers));
}

} // namespace

// One call's wait. Each call keeps its own, so that a call made while another one waits
// neither steals that one's result nor leaves it waiting.
struct PopupWindow::Showing {
    QEventLoop loop;
    bool closed = false;
    int32_t result = 0;
    Variant param;
    Click click;
};

PopupWindow& PopupWindow::instance() {
    static PopupWindow shared;
    return shared;
}

int32_t PopupWindow::PopupWindowEx(QWidget* hwndSrc, const PopupFormLoader& PopupForm,
                                   int32_t Direction, int32_t Align, int32_t x, int32_t y,
                                   int32_t cx, int32_t cy, int32_t xDisable, int32_t yDisable,
                                   int32_t cxDisable, int32_t cyDisable, Variant* Param) {
    if (!hwndSrc || !PopupForm)
        return 0;
    // A call made while another call waits runs on top of that wait, so it closes that pop-up
    // and goes on at once: the other caller resumes when this one has returned.
    QuitPopupWindow(0, int32_t(0));

    QPointer<QWidget> source = hwndSrc;
    QPointer<QWidget> owner = hwndSrc->window();
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    const QRect window = windowRectangle(hwndSrc);
    const popup::Edges at = popup::sourceRectangle(window, QCursor::pos(), Direction, x, y, cx, cy);

    m_initParam = Param ? *Param : Variant(Null{});
    QPointer<QWidget> form;
    try {
        form = PopupForm();
    } catch (const AutomationError&) {
        // A form that fails to load is not shown.
    }
    m_initParam = Empty{};
    if (!form || !source || !owner) {
        delete form;
        return 0;
    }

    makePopup(form, owner);
    form->setGeometry(
        popup::placePopup(at, form->geometry(), usableScreen(source, at), Direction, Align));

    Showing showing;
    m_active = &showing;
    m_form = form;
    m_owner = owner;
    m_source = source;
    m_disabled =
        popup::disabledRectangle(at, window, Direction, xDisable, yDisable, cxDisable, cyDisable);
    form->installEventFilter(this);
    watchOwner(owner);

    form->show();
    form->raise();
    form->setFocus(Qt::PopupFocusReason);
    if (!showing.closed)
        showing.loop.exec();

    replay(showing.click);
    if (Param)
        *Param = showing.param;
    m_initParam = Empty{};
    return showing.result;
}

void PopupWindow::QuitPopupWindow(int32_t Result, const Variant& Param) {
    Showing* showing = m_active;
    if (!showing)
        return;
    m_active = nullptr;
    unwatchOwner();
    if (QWidget* form = m_form) {
        m_form = nullptr;
        form->removeEventFilter(this);
        form->close();
        form->hide();
        // The form may be the one calling here, from one of its own handlers.
        form->deleteLater();
    }
    m_owner = nullptr;
    m_source = nullptr;
    m_disabled = QRect();
    showing->result = Result;
    showing->param = Param;
    m_initParam = Param;
    showing->closed = true;
    showing->loop.exit();
}

void PopupWindow::watchOwner(QWidget* owner) {
    owner->installEventFilter(this);
    auto close = [this] { QuitPopupWindow(0, int32_t(0)); };
    m_connections << connect(owner, &QObject::destroyed, this, close)
                  << connect(m_form, &QObject::destroyed, this, close)
                  << connect(qApp, &QGuiApplication::applicationStateChanged, this,
                             [close](Qt::ApplicationState state) {
                                 if (state != Qt::ApplicationActive)
                                     close();
                             });
}

void PopupWindow::unwatchOwner() {
    if (m_owner)
        m_owner->removeEventFilter(this);
    for (const QMetaObject::Connection& connection : std::as_const(m_connections))
        disconnect(connection);
    m_connections.clear();
}

void PopupWindow::pressedOutside(const QMouseEvent& press) {
    // The toolkit would replay the press as well; only one replay must reach the target.
    m_form->setAttribute(Qt::WA_NoMouseReplay);
    const QPoint global = press.globalPosition().toPoint();
    if (!m_owner || !m_owner->rect().contains(m_owner->mapFromGlobal(global)))
        return;
    QWidget* target = m_owner->childAt(m_owner->mapFromGlobal(global));
    const bool onSource =
        m_source && target && (target == m_source || m_source->isAncestorOf(target));
    // A press on the part of the source that opened the pop-up only closes it.
    if (onSource && m_disabled.contains(global))
        return;
    m_active->click = {m_owner, global, press.button(), press.modifiers()};
}

bool PopupWindow::eventFilter(QObject* watched, QEvent* event) {
    if (!m_active)
        return false;
    if (watched == m_form) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (m_form->rect().contains(mouse->position().toPoint()))
                return false;
            pressedOutside(*mouse);
            QuitPopupWindow(0, int32_t(0));
            return true;
        }
        case QEvent::Hide:
            // Closed by the toolkit (Escape, another pop-up): the caller must not wait on.
            QuitPopupWindow(0, int32_t(0));
            return false;
        default:
            return false;
        }
    }
    if (watched == m_owner && event->type() == QEvent::WindowActivate)
        QuitPopupWindow(0, int32_t(0));
    return false;
}

} // namespace orvenly
