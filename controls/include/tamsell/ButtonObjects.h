#pragma once

#include "orvenly/KeyedCollection.h"
#include "tamsell/ButtonObject.h"

#include <QString>
#include <memory>

namespace tamsell {

class FlatToolbar;

// The buttons of a toolbar, in display order, with 1-based positions and optional keys.
class ButtonObjects {
public:
    explicit ButtonObjects(FlatToolbar& owner) : m_owner(owner) {}
    ~ButtonObjects();
    ButtonObjects(const ButtonObjects&) = delete;
    ButtonObjects& operator=(const ButtonObjects&) = delete;

    // By position (9 when there is none) or by key (5 when there is none).
    std::shared_ptr<ButtonObject> Item(int Index) const;
    std::shared_ptr<ButtonObject> Item(const QString& Key) const;
    int Count() const { return m_items.Count(); }

    // Inserts a button before position Index (1..Count, else 5), or appends it for 0. The
    // arguments that differ from a new button's go through the button's property rules; an
    // error from any of them leaves the collection unchanged. The toolbar refreshes.
    std::shared_ptr<ButtonObject> Add(int Index = 0, const QString& Key = {},
                                      FlatToolbarButtonStyleConstants Style = FTBS_COMMAND,
                                      FlatToolbarButtonExtendStyleConstants ExStyle = FTBS_EX_NONE,
                                      int32_t Image = 0, const QString& Caption = {},
                                      const QString& ToolTip = {},
                                      FlatToolbarButtonValueConstants Value = FTBV_UNPRESSED,
                                      int32_t Length = 0, bool Enabled = true, bool Visible = true);
    // Removes the button and refreshes the toolbar; the removed button no longer belongs to it.
    void Remove(int Index);
    void Remove(const QString& Key);
    // Empties the collection; the toolbar shows it at its next refresh.
    void Clear();

    using Items = orvenly::KeyedCollection<std::shared_ptr<ButtonObject>>;
    Items::const_iterator begin() const { return m_items.begin(); }
    Items::const_iterator end() const { return m_items.end(); }

private:
    friend class ButtonObject;
    void Rekey(int Index, const QString& Key) { m_items.Rekey(Index, Key); }

    FlatToolbar& m_owner;
    Items m_items;
};

} // namespace tamsell
