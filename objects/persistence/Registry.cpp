#include "orvenly/Registry.h"

#include "orvenly/AutomationError.h"
#include "orvenly/RegKey.h"
#include "platform/RegistryStore.h"

namespace orvenly {

namespace {

const QString Source = QStringLiteral("OrvenlyCls.Registry");

std::optional<platform::RegistryStore::Key> rootOf(RegistryRootkeyConstants Key) {
    return platform::RegistryStore::root(uint32_t(Key));
}

} // namespace

Registry::Registry(std::shared_ptr<platform::RegistryStore> store) : m_store(std::move(store)) {}

std::shared_ptr<Registry> Registry::create() {
    return create(platform::RegistryStore::shared());
}

std::shared_ptr<Registry> Registry::create(std::shared_ptr<platform::RegistryStore> store) {
    return std::shared_ptr<Registry>(new Registry(std::move(store)));
}

std::shared_ptr<RegKey> Registry::Item(RegistryRootkeyConstants Key, const QString& Path) {
    return open(Key, Path, Path);
}

std::shared_ptr<RegKey> Registry::open(RegistryRootkeyConstants Key, const QString& relativePath,
                                       const QString& path) {
    const auto root = rootOf(Key);
    const auto handle = root ? m_store->createKey(*root, relativePath) : std::nullopt;
    if (!handle)
        throw AutomationError(errors::InvalidArgument, {}, Source);
    return std::shared_ptr<RegKey>(new RegKey(shared_from_this(), Key, *handle, path));
}

bool Registry::Exists(RegistryRootkeyConstants Key, const QString& Path) {
    const auto root = rootOf(Key);
    return root && m_store->openKey(*root, Path);
}

bool Registry::Delete(RegistryRootkeyConstants Key, const QString& Path) {
    const auto root = rootOf(Key);
    // An empty path is the root, which cannot be deleted: emptying it first would only lose
    // data before failing.
    const auto handle = root && !Path.isEmpty() ? m_store->openKey(*root, Path) : std::nullopt;
    if (!handle)
        return false;
    RegKey key(shared_from_this(), Key, *handle, Path);
    return key.deleteSubKeys() && m_store->deleteKey(*root, Path);
}

} // namespace orvenly
