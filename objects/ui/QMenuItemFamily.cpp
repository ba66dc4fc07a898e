#include "orvenly/QMenuItemFamily.h"

#include "orvenly/AutomationError.h"

#include <QAction>
#include <QMenu>

namespace orvenly {

namespace {

const QString Source = QStringLiteral("OrvenlyCls.QMenuItemFamily");

[[noreturn]] void invalidElement() {
    throw AutomationError(errors::InvalidArgument, {}, Source);
}

} // namespace

QMenuItemFamily::QMenuItemFamily(QMenu* menu, QAction* placeholder)
    : m_menu(menu), m_placeholder(placeholder) {
    if (!menu || !placeholder)
        throw AutomationError(errors::ObjectNotSet, {}, Source);
    if (!menu->actions().contains(placeholder))
        invalidElement();
    placeholder->setData(0);
}

QMenuItemFamily::~QMenuItemFamily() {
    for (const auto& [index, action] : m_loaded)
        delete action.data();
}

std::vector<int> QMenuItemFamily::Indexes() const {
    std::vector<int> indexes;
    if (m_placeholder)
        indexes.push_back(0);
    for (const auto& [index, action] : m_loaded)
        if (action)
            indexes.push_back(index);
    return indexes;
}

void QMenuItemFamily::Load(int Index) {
    if (Index <= 0 || find(Index))
        invalidElement();
    if (!m_menu)
        throw AutomationError(errors::ObjectNotSet, {}, Source);
    auto* action = new QAction(m_menu);
    action->setData(Index);
    m_menu->insertAction(successor(Index), action);
    m_loaded[Index] = action;
}

void QMenuItemFamily::Unload(int Index) {
    if (Index == 0)
        invalidElement();
    delete &element(Index);
    m_loaded.erase(Index);
}

void QMenuItemFamily::SetCaption(int Index, const QString& Caption) {
    QAction& action = element(Index);
    action.setText(Caption);
    action.setSeparator(Caption == u"-");
}

void QMenuItemFamily::SetEnabled(int Index, bool Enabled) {
    element(Index).setEnabled(Enabled);
}

void QMenuItemFamily::SetVisible(int Index, bool Visible) {
    element(Index).setVisible(Visible);
}

int QMenuItemFamily::IndexOf(const QAction* action) const {
    if (!action)
        return -1;
    if (action == m_placeholder)
        return 0;
    for (const auto& [index, loaded] : m_loaded)
        if (loaded == action)
            return index;
    return -1;
}

QAction* QMenuItemFamily::find(int Index) const {
    if (Index == 0)
        return m_placeholder;
    const auto it = m_loaded.find(Index);
    return it == m_loaded.end() ? nullptr : it->second.data();
}

QAction& QMenuItemFamily::element(int Index) const {
    QAction* action = find(Index);
    if (!action)
        invalidElement();
    return *action;
}

// The elements sit right after the placeholder in index order, so a new one goes in front of
// the next higher element, or else in front of whatever follows the family's last action.
QAction* QMenuItemFamily::successor(int Index) const {
    QAction* last = m_placeholder;
    for (const auto& [index, action] : m_loaded) {
        if (!action)
            continue;
        if (index > Index)
            return action;
        last = action;
    }
    const QList<QAction*> actions = m_menu->actions();
    const qsizetype position = actions.indexOf(last);
    if (position < 0 || position + 1 >= actions.size())
        return nullptr;
    return actions[position + 1];
}

} // namespace orvenly
