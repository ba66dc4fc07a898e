#include "dialogs/Wizard.h"

#include "orvenly/AutomationError.h"

#include <QWidget>

namespace penlark {

Wizard::Wizard(QObject* parent) : QObject(parent) {}

void Wizard::Load(const QList<QWidget*>& frames, bool progressPage) {
    m_frames = frames;
    m_progressPage = progressPage;
    m_finished = false;
    m_page = 0;
    for (QWidget* frame : m_frames)
        frame->setVisible(frame == m_frames.value(0));
}

int32_t Wizard::ordinaryPages() const {
    return int32_t(m_frames.size()) - (m_progressPage ? 3 : 2);
}

// Hides the current frame and shows the page's, telling the form in between.
void Wizard::show(int32_t page) {
    m_frames.value(m_page)->hide();
    m_page = page;
    emit Move();
    m_frames.value(m_page)->show();
}

void Wizard::SetPage(int32_t value) {
    if (value == m_page)
        return;
    if (value < 0 || value >= ordinaryPages())
        throw orvenly::AutomationError(orvenly::errors::InvalidArgument);
    bool cancel = false;
    if (value > m_page)
        emit BeforeNext(cancel);
    else
        emit BeforeBack(cancel);
    if (!cancel)
        show(value);
}

bool Wizard::GoNext(int32_t pages) {
    if (m_finished) {
        emit Finish();
        return false;
    }
    if (m_page + pages < ordinaryPages())
        SetPage(m_page + pages);
    else
        GoProcess();
    return false;
}

bool Wizard::GoBack(int32_t pages) {
    if (!m_finished)
        SetPage(m_page - pages);
    return false;
}

bool Wizard::GoProcess() {
    bool cancel = false;
    emit BeforeNext(cancel);
    if (cancel)
        return false;
    emit BeforeProcess(cancel);
    if (cancel)
        return false;
    const auto count = int32_t(m_frames.size());
    if (m_progressPage) {
        show(count - 3);
        m_frames.value(m_page)->repaint();
    }
    bool result = false;
    m_processing = true;
    emit DoProcess(result);
    m_processing = false;
    m_finished = true;
    show(result ? count - 1 : count - 2);
    if (result)
        emit Complete();
    else
        emit Failed();
    return false;
}

} // namespace penlark
