#include "orvenly/TDBKeys.h"

#include "TreeEntries.h"

namespace orvenly {

void TDBKey::setName(const QString& Name) {
    if (Name == m_name)
        return;
    if (const std::shared_ptr<TDBKeys> owner = m_owner.lock())
        owner->rename(*this, Name);
    m_name = Name;
}

TDBKeys::~TDBKeys() {
    for (const std::shared_ptr<TDBKey>& key : m_keys)
        key->m_index = 0;
}

std::shared_ptr<TDBKey> TDBKeys::Item(const QString& KeyName) {
    if (const std::shared_ptr<TDBKey>* found = m_keys.Find(keyEntryKey(KeyName)))
        return *found;
    if (!m_autoCreate)
        throw AutomationError(errors::InvalidArgument);
    return Add(KeyName);
}

bool TDBKeys::Exists(const QString& KeyName) const {
    return m_keys.Exists(keyEntryKey(KeyName));
}

std::shared_ptr<TDBKey> TDBKeys::Add(const QString& KeyName, int32_t Index, const QString& Value) {
    auto key = std::make_shared<TDBKey>(TDBKey::Made(), KeyName, m_node, weak_from_this());
    key->m_value = Value;
    m_keys.Add(key, keyEntryKey(KeyName), Index);
    return key;
}

void TDBKeys::Remove(const Variant& Index) {
    detach(*takeEntry(m_keys, Index, keyEntryKey));
}

void TDBKeys::Clear() {
    for (const std::shared_ptr<TDBKey>& key : m_keys)
        detach(*key);
    m_keys.Clear();
}

void TDBKeys::rename(TDBKey& key, const QString& name) {
    rekeyEntry(m_keys, key, keyEntryKey(name));
}

void TDBKeys::detach(TDBKey& key) {
    key.m_index = 0;
    key.m_owner.reset();
}

} // namespace orvenly
