#include "orvenly/TDBKeys.h"

#include "TreeEntryKeys.h"

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
    std::shared_ptr<TDBKey> removed;
    if (Index.type() == Variant::Type::String) {
        const QString key = keyEntryKey(Index.toString());
        removed = m_keys.Item(key);
        m_keys.Remove(key);
    } else {
        const int32_t position = Index.toLong();
        removed = m_keys.Item(position);
        m_keys.Remove(position);
    }
    removed->m_index = 0;
    removed->m_owner.reset();
}

void TDBKeys::Clear() {
    for (const std::shared_ptr<TDBKey>& key : m_keys) {
        key->m_index = 0;
        key->m_owner.reset();
    }
    m_keys.Clear();
}

void TDBKeys::rename(TDBKey& key, const QString& name) {
    // A key that has left the collection keeps no place in it.
    if (key.m_index >= 1 && key.m_index <= Count() && m_keys.Item(key.m_index).get() == &key)
        m_keys.Rekey(key.m_index, keyEntryKey(name));
}

} // namespace orvenly
