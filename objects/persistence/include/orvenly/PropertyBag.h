#pragma once

#include "orvenly/IPersist.h"
#include "orvenly/Variant.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace orvenly {

// Named values that a control or another object keeps between sessions. Names compare
// case-insensitively and keep the spelling and order of their first write. A value equal to
// its default is not stored, so the bag holds only what differs from the defaults.
//
// Serialize writes the count, then for each property its name, its type number and its value;
// the text form has one "Name = Type value" line per property. Every type except objects
// round-trips through both.
class PropertyBag : public IPersist {
public:
    // The stored value, or DefaultValue (Empty when not given) when there is none.
    Variant ReadProperty(const QString& Name,
                         const std::optional<Variant>& DefaultValue = {}) const;
    // Stores Value, or removes the property when Value has the type and value of DefaultValue.
    // An empty name raises 5; an object value raises 13.
    void WriteProperty(const QString& Name, const Variant& Value,
                       const std::optional<Variant>& DefaultValue = {});

    int Count() const { return int(m_entries.size()); }
    bool Contains(const QString& Name) const;
    // Names in the order of their first write.
    QStringList Names() const;
    void Clear() { m_entries.clear(); }

    // Replaces the contents when the stream is loading; the bag is unchanged if reading fails.
    bool Serialize(IStream& lpsr) override;
    // A bag lives in its container's stream, not in the registry.
    bool Load(IRegister&) override { return false; }
    bool Save(IRegister&) override { return false; }

    QString toText() const;
    // Parses the text form; malformed text raises 321 naming the line.
    static PropertyBag fromText(const QString& text);

private:
    struct Entry {
        QString name;
        QString folded;
        Variant value;
    };

    const Entry* find(const QString& Name) const;
    void store(const QString& Name, const Variant& Value);
    void write(IStream& stream) const;
    static PropertyBag read(IStream& stream);

    std::vector<Entry> m_entries;
};

} // namespace orvenly
