#pragma once

#include <QString>
#include <cstdint>
#include <memory>

namespace platform {
class RegistryStore;
}

namespace orvenly {

class RegKey;

// The predefined roots of the registry.
enum RegistryRootkeyConstants : int32_t {
    HKEY_CLASSES_ROOT = int32_t(0x80000000u),
    HKEY_CURRENT_USER = int32_t(0x80000001u),
    HKEY_LOCAL_MACHINE = int32_t(0x80000002u),
    HKEY_USERS = int32_t(0x80000003u),
    HKEY_PERFORMANCE_DATA = int32_t(0x80000004u),
    HKEY_CURRENT_CONFIG = int32_t(0x80000005u),
    HKEY_DYN_DATA = int32_t(0x80000006u),
};

// The entry point to the registry: opens, tests and deletes keys below the roots. Every key it
// hands out keeps it alive, so it is always held by a shared pointer.
class Registry : public std::enable_shared_from_this<Registry> {
public:
    // Over the store of this process.
    static std::shared_ptr<Registry> create();
    // Over the given store (a test's own file, say).
    static std::shared_ptr<Registry> create(std::shared_ptr<platform::RegistryStore> store);

    // Opens Path below Key, creating every missing key on the way; error 5 when that fails.
    std::shared_ptr<RegKey> Item(RegistryRootkeyConstants Key, const QString& Path);
    bool Exists(RegistryRootkeyConstants Key, const QString& Path);
    // Deletes the key with all its subkeys; False if it is missing or any deletion fails.
    bool Delete(RegistryRootkeyConstants Key, const QString& Path);

private:
    explicit Registry(std::shared_ptr<platform::RegistryStore> store);

    friend class RegKey;
    platform::RegistryStore& store() const { return *m_store; }
    // The key at relativePath below the root, known to callers as path.
    std::shared_ptr<RegKey> open(RegistryRootkeyConstants Key, const QString& relativePath,
                                 const QString& path);

    std::shared_ptr<platform::RegistryStore> m_store;
};

} // namespace orvenly
