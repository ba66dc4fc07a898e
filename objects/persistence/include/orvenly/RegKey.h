#pragma once

#include "orvenly/IRegister.h"
#include "orvenly/Registry.h"

#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

namespace orvenly {

// One open key of the registry, made by Registry::Item or SubKey. It keeps its Registry
// alive, and has its own positions for enumerating values and subkeys, each starting at 0 and
// going back to 0 when an enumeration call fails.
class RegKey : public IRegister {
public:
    RegistryRootkeyConstants RootKey() const { return m_root; }
    // Below the root, without the root's name.
    const QString& Path() const { return m_path; }
    // The key up to the last backslash of the path (created again if it was removed), or
    // nothing when the path has no backslash.
    std::shared_ptr<RegKey> Parent() const;

    Variant GetValue(const QString& Name, const std::optional<Variant>& DefaultValue = {}) override;
    void SetValue(const QString& Name, const Variant& Value,
                  const std::optional<Variant>& DefaultValue = {}) override;
    int32_t GetValueAny(const QString& Name, void* lpBuffer, int32_t Length) override;
    void SetValueAny(const QString& Name, const void* lpBuffer, int32_t Length) override;
    bool EnumValue(QString& Name, QString& Value) override;
    std::shared_ptr<IRegister> SubKey(const QString& Name) override;
    bool EnumSubKey(QString& Name) override;
    bool DeleteSubKey(const QString& Name) override;

private:
    friend class Registry;
    using Handle = int64_t;

    RegKey(std::shared_ptr<Registry> registry, RegistryRootkeyConstants root, Handle handle,
           QString path);

    platform::RegistryStore& store() const { return m_registry->store(); }
    void deleteValue(const QString& Name);
    void write(const QString& Name, uint32_t type, QByteArrayView data);
    // Deletes every subkey tree, names collected first; false when one deletion fails.
    bool deleteSubKeys();

    std::shared_ptr<Registry> m_registry;
    RegistryRootkeyConstants m_root;
    Handle m_handle;
    QString m_path;
    int32_t m_valuePosition = 0;
    int32_t m_subKeyPosition = 0;
};

} // namespace orvenly
