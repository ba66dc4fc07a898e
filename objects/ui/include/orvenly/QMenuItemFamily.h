#pragma once

#include "orvenly/MenuItemFamily.h"

#include <QPointer>
#include <map>

class QAction;
class QMenu;

namespace orvenly {

// A menu item family over a QMenu. Element 0 is an action of the menu that the caller owns
// (a placeholder such as "(なし)"); the loaded elements are actions that the family creates and
// keeps right after the placeholder in index order. Every element carries its index as the
// action's data, so a handler of QMenu::triggered can tell which one was chosen.
class QMenuItemFamily : public MenuItemFamily {
public:
    // Error 91 without a menu or placeholder; error 5 if the placeholder is not in the menu.
    QMenuItemFamily(QMenu* menu, QAction* placeholder);
    // Deletes the loaded actions; the placeholder stays.
    ~QMenuItemFamily() override;
    QMenuItemFamily(const QMenuItemFamily&) = delete;
    QMenuItemFamily& operator=(const QMenuItemFamily&) = delete;

    std::vector<int> Indexes() const override;
    void Load(int Index) override;
    void Unload(int Index) override;
    void SetCaption(int Index, const QString& Caption) override;
    void SetEnabled(int Index, bool Enabled) override;
    void SetVisible(int Index, bool Visible) override;

    // The element's index, -1 for an action that is none of the family's.
    int IndexOf(const QAction* action) const;

private:
    // Null when the element is not loaded (or its action was destroyed behind our back).
    QAction* find(int Index) const;
    QAction& element(int Index) const;
    // The action a new element with this index goes in front of; null to append.
    QAction* successor(int Index) const;

    QPointer<QMenu> m_menu;
    QPointer<QAction> m_placeholder;
    std::map<int, QPointer<QAction>> m_loaded;
};

} // namespace orvenly
