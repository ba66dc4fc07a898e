#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <memory>
#include <optional>

namespace platform {

// Value types of the registry; the numbers are the conventional ones.
inline constexpr uint32_t REG_NONE = 0;
inline constexpr uint32_t REG_SZ = 1;
inline constexpr uint32_t REG_EXPAND_SZ = 2;
inline constexpr uint32_t REG_BINARY = 3;
inline constexpr uint32_t REG_DWORD = 4;
inline constexpr uint32_t REG_DWORD_BIG_ENDIAN = 5;
inline constexpr uint32_t REG_LINK = 6;
inline constexpr uint32_t REG_MULTI_SZ = 7;

// A registry kept in an SQLite file: keys below seven predefined roots, each key holding
// named values of a type and exact bytes. Key and value names compare without regard to case
// and keep the case they were created with; keys and values enumerate in creation order.
// Several processes may use one file; every write is its own transaction.
//
// A key path is a backslash-separated list of names below a key; the empty path is that key
// itself. Empty names (a leading, trailing or doubled backslash) and key names longer than
// 255 characters make a path invalid.
//
// One object serves one thread.
class RegistryStore {
public:
    // An open key. Handles are never reused, so a handle to a deleted key stays invalid.
    using Key = int64_t;

    enum class Deletion { Deleted, NotFound, Failed };

    struct Value {
        uint32_t type = REG_NONE;
        QByteArray data;
    };
    struct NamedValue {
        QString name;
        Value value;
    };

    // Opens the file, creating it and its folder if missing. A file that is not a usable
    // database is moved aside with a warning and replaced by a fresh one; a file that cannot
    // be written is opened for reading only.
    explicit RegistryStore(const QString& path);
    ~RegistryStore();
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    // The store of this process at defaultPath(), opened on first use.
    static std::shared_ptr<RegistryStore> shared();
    // $ORVENLY_REGISTRY, else $XDG_CONFIG_HOME/orvenly/registry.db (~/.config when unset).
    static QString defaultPath();

    const QString& path() const { return m_path; }
    // False when the file could not be opened at all; every operation then fails.
    bool isOpen() const;
    bool isReadOnly() const;

    // The handle of a predefined root (0x80000000 to 0x80000006), none for other numbers.
    static std::optional<Key> root(uint32_t predefined);

    std::optional<Key> createKey(Key base, QStringView path);
    std::optional<Key> openKey(Key base, QStringView path);
    // Deletes the key at path below base, with its values; fails if it has subkeys, and for
    // the empty path (a key is deleted by a name below another).
    bool deleteKey(Key base, QStringView path);

    std::optional<Value> queryValue(Key key, QStringView name);
    bool setValue(Key key, QStringView name, uint32_t type, QByteArrayView data);
    Deletion deleteValue(Key key, QStringView name);

    // Entry number index (0-based) of the key's values or subkeys, none past the end.
    std::optional<NamedValue> enumValue(Key key, int32_t index);
    std::optional<QString> enumKey(Key key, int32_t index);

private:
    struct Connection;

    QString m_path;
    std::unique_ptr<Connection> m_connection;
};

} // namespace platform
