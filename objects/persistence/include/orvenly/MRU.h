#pragma once

#include "orvenly/IPersist.h"
#include "orvenly/KeyedCollection.h"
#include "orvenly/MenuItemFamily.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>

namespace orvenly {

class PropertyBag;

// The list of recently used files, newest first. It keeps at most Max entries, gives out and
// shows the first ShowItems of them in a bound menu item family (entry i is element 2i, with a
// separator after every fifth shown entry), and persists itself into a registry key, a
// stream or a property bag. Change is raised after every change, once the menu is rebuilt.
class MRU : public QObject, public IPersist {
    Q_OBJECT

public:
    // Stored counts beyond this are taken for corrupt data; Max cannot exceed it either.
    static constexpr int32_t Capacity = 65535;

    explicit MRU(QObject* parent = nullptr);

    // Entry Index; error 5 beyond Count or ShowItems.
    QString Item(int32_t Index) const;
    int32_t Count() const { return m_items.Count(); }

    int32_t Max() const { return m_max; }
    // Drops the entries beyond the new limit; error 380 outside 0..Capacity.
    void SetMax(int32_t value);
    int32_t ShowItems() const { return m_showItems; }
    // Rebuilds the menu and raises Change even when unchanged; error 380 when negative.
    void SetShowItems(int32_t value);

    // Whether entry Index names an existing file (not a directory); Value receives the entry.
    // The name is taken literally, wildcard characters included. Error 5 as for Item.
    bool Exists(int32_t Index, QString* Value = nullptr) const;

    // Puts Value on top, replacing an entry that differs only in case.
    void Add(const QString& Value);
    void Remove(int32_t Index);
    void Clear();

    // Clears the menu of the previous target and shows the list in Target (none for null).
    void Load(std::shared_ptr<MenuItemFamily> Target);

    // Every error while loading is ignored.
    void LoadMRU(const PropertyBag& Archive);
    void SaveMRU(PropertyBag& Archive) const;

    bool Serialize(IStream& lpsr) override;
    bool Load(IRegister& lpreg) override;
    bool Save(IRegister& lpreg) override;

signals:
    void Change();

private:
    // Index checked against Count and ShowItems.
    const QString& shown(int32_t Index) const;
    // Add without the event; false when nothing changed. Loading uses it to raise Change once.
    bool push(const QString& Value);
    // Drops the entries beyond Max.
    void trim();
    void rebuildMenu();
    void changed();

    KeyedCollection<QString> m_items;
    int32_t m_showItems = 10;
    int32_t m_max = 50;
    std::shared_ptr<MenuItemFamily> m_target;
};

} // namespace orvenly
