#include "platform/RegistryStore.h"

#include "RegistryDatabase.h"
#include "Sqlite.h"

#include <QDir>
#include <QList>

namespace platform {

using sqlite::Query;
using sqlite::Statement;

namespace {

constexpr uint32_t FirstRoot = 0x80000000u;
constexpr uint32_t RootCount = 7;
// The roots are the first rows of the key table.
constexpr RegistryStore::Key FirstRootKey = 1;
constexpr qsizetype MaxKeyNameLength = 255;

QByteArray folded(QStringView name) {
    return name.toString().toCaseFolded().toUtf8();
}

// The names of a key path; none when the path is invalid.
std::optional<QList<QStringView>> splitKeyPath(QStringView path) {
    QList<QStringView> names;
    if (path.isEmpty())
        return names;
    names = path.split(u'\\');
    for (QStringView name : names)
        if (name.isEmpty() || name.size() > MaxKeyNameLength)
            return std::nullopt;
    return names;
}

} // namespace

struct RegistryStore::Connection {
    sqlite::Database db;
    bool readOnly = false;
    Statement begin{db.get(), "BEGIN IMMEDIATE"};
    Statement commit{db.get(), "COMMIT"};
    Statement rollback{db.get(), "ROLLBACK"};
    Statement keyExists{db.get(), "SELECT 1 FROM keys WHERE id = ?1"};
    Statement findKey{db.get(), "SELECT id FROM keys WHERE parent = ?1 AND folded = ?2"};
    Statement insertKey{db.get(), "INSERT INTO keys (parent, name, folded) VALUES (?1, ?2, ?3)"};
    Statement deleteKey{db.get(), "DELETE FROM keys WHERE id = ?1 AND parent IS NOT NULL AND "
                                  "NOT EXISTS (SELECT 1 FROM keys WHERE parent = ?1)"};
    Statement keyAt{db.get(), "SELECT name FROM keys WHERE parent = ?1 ORDER BY id LIMIT 1 "
                              "OFFSET ?2"};
    Statement queryValue{db.get(), "SELECT type, data FROM vals WHERE key = ?1 AND folded = ?2"};
    // An existing value keeps its place in the order and the case of its name.
    Statement setValue{db.get(), "INSERT INTO vals (key, name, folded, type, data) "
                                 "VALUES (?1, ?2, ?3, ?4, ?5) ON CONFLICT (key, folded) "
                                 "DO UPDATE SET type = excluded.type, data = excluded.data"};
    Statement deleteValue{db.get(), "DELETE FROM vals WHERE key = ?1 AND folded = ?2"};
    Statement valueAt{db.get(), "SELECT name, type, data FROM vals WHERE key = ?1 ORDER BY id "
                                "LIMIT 1 OFFSET ?2"};

    explicit Connection(sqlite::Database database)
        : db(std::move(database)), readOnly(sqlite3_db_readonly(db.get(), "main") == 1) {}

    bool isValid() const {
        for (const Statement* s :
             {&begin, &commit, &rollback, &keyExists, &findKey, &insertKey, &deleteKey, &keyAt,
              &queryValue, &setValue, &deleteValue, &valueAt})
            if (!s->isValid())
                return false;
        return true;
    }

    // A write of several statements; rolled back unless committed.
    class Transaction {
    public:
        explicit Transaction(Connection& c) : m_c(c), m_active(Query(c.begin).run()) {}
        ~Transaction() {
            if (m_active)
                Query(m_c.rollback).run();
        }
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;

        explicit operator bool() const { return m_active; }
        bool commit() {
            if (!Query(m_c.commit).run())
                return false;
            m_active = false;
            return true;
        }

    private:
        Connection& m_c;
        bool m_active;
    };

    bool exists(Key key) { return Query(keyExists).bind(1, key).step() == SQLITE_ROW; }

    std::optional<Key> child(Key parent, QStringView name) {
        Query query(findKey);
        query.bind(1, parent).bindText(2, folded(name));
        if (query.step() != SQLITE_ROW)
            return std::nullopt;
        return query.integer(0);
    }

    std::optional<Key> addChild(Key parent, QStringView name) {
        // Fails for a parent deleted meanwhile: the foreign key refuses the row.
        if (!Query(insertKey)
                 .bind(1, parent)
                 .bindText(2, name.toUtf8())
                 .bindText(3, folded(name))
                 .run())
            return std::nullopt;
        return sqlite3_last_insert_rowid(db.get());
    }

    std::optional<Key> walk(Key base, const QList<QStringView>& names, bool create) {
        if (names.isEmpty())
            return exists(base) ? std::optional(base) : std::nullopt;
        Key key = base;
        for (QStringView name : names) {
            auto next = child(key, name);
            if (!next && create)
                next = addChild(key, name);
            if (!next)
                return std::nullopt;
            key = *next;
        }
        return key;
    }
};

RegistryStore::RegistryStore(const QString& path) : m_path(path) {
    if (auto db = openRegistryDatabase(path)) {
        m_connection = std::make_unique<Connection>(std::move(db));
        if (!m_connection->isValid())
            m_connection.reset();
    }
}

RegistryStore::~RegistryStore() = default;

std::shared_ptr<RegistryStore> RegistryStore::shared() {
    static const auto store = std::make_shared<RegistryStore>(defaultPath());
    return store;
}

QString RegistryStore::defaultPath() {
    QString explicitPath = qEnvironmentVariable("ORVENLY_REGISTRY");
    if (!explicitPath.isEmpty())
        return explicitPath;
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    // A relative or empty value is to be ignored.
    if (config.isEmpty() || QDir::isRelativePath(config))
        config = QDir::homePath() + QLatin1String("/.config");
    return config + QLatin1String("/orvenly/registry.db");
}

bool RegistryStore::isOpen() const {
    return m_connection != nullptr;
}

bool RegistryStore::isReadOnly() const {
    return m_connection && m_connection->readOnly;
}

std::optional<RegistryStore::Key> RegistryStore::root(uint32_t predefined) {
    if (predefined < FirstRoot || predefined >= FirstRoot + RootCount)
        return std::nullopt;
    return FirstRootKey + Key(predefined - FirstRoot);
}

std::optional<RegistryStore::Key> RegistryStore::createKey(Key base, QStringView path) {
    const auto names = splitKeyPath(path);
    if (!m_connection || !names)
        return std::nullopt;
    // Most keys exist already; finding them needs no write lock.
    if (auto key = m_connection->walk(base, *names, false))
        return key;
    Connection::Transaction transaction(*m_connection);
    if (!transaction)
        return std::nullopt;
    const auto key = m_connection->walk(base, *names, true);
    if (!key || !transaction.commit())
        return std::nullopt;
    return key;
}

std::optional<RegistryStore::Key> RegistryStore::openKey(Key base, QStringView path) {
    const auto names = splitKeyPath(path);
    if (!m_connection || !names)
        return std::nullopt;
    return m_connection->walk(base, *names, false);
}

bool RegistryStore::deleteKey(Key base, QStringView path) {
    const auto names = splitKeyPath(path);
    if (!m_connection || !names || names->isEmpty())
        return false;
    Connection::Transaction transaction(*m_connection);
    if (!transaction)
        return false;
    const auto key = m_connection->walk(base, *names, false);
    if (!key || !Query(m_connection->deleteKey).bind(1, *key).run() ||
        sqlite3_changes(m_connection->db.get()) != 1)
        return false;
    return transaction.commit();
}

std::optional<RegistryStore::Value> RegistryStore::queryValue(Key key, QStringView name) {
    if (!m_connection)
        return std::nullopt;
    Query query(m_connection->queryValue);
    query.bind(1, key).bindText(2, folded(name));
    if (query.step() != SQLITE_ROW)
        return std::nullopt;
    return Value{uint32_t(query.integer(0)), query.blob(1)};
}

bool RegistryStore::setValue(Key key, QStringView name, uint32_t type, QByteArrayView data) {
    if (!m_connection)
        return false;
    return Query(m_connection->setValue)
        .bind(1, key)
        .bindText(2, name.toUtf8())
        .bindText(3, folded(name))
        .bind(4, type)
        .bindBlob(5, data)
        .run();
}

RegistryStore::Deletion RegistryStore::deleteValue(Key key, QStringView name) {
    if (!m_connection)
        return Deletion::Failed;
    if (!Query(m_connection->deleteValue).bind(1, key).bindText(2, folded(name)).run())
        return Deletion::Failed;
    if (sqlite3_changes(m_connection->db.get()) > 0)
        return Deletion::Deleted;
    // Nothing to delete is only "not there" when the key itself still is.
    return m_connection->exists(key) ? Deletion::NotFound : Deletion::Failed;
}

std::optional<RegistryStore::NamedValue> RegistryStore::enumValue(Key key, int32_t index) {
    if (!m_connection || index < 0)
        return std::nullopt;
    Query query(m_connection->valueAt);
    query.bind(1, key).bind(2, index);
    if (query.step() != SQLITE_ROW)
        return std::nullopt;
    return NamedValue{query.text(0), Value{uint32_t(query.integer(1)), query.blob(2)}};
}

std::optional<QString> RegistryStore::enumKey(Key key, int32_t index) {
    if (!m_connection || index < 0)
        return std::nullopt;
    Query query(m_connection->keyAt);
    query.bind(1, key).bind(2, index);
    if (query.step() != SQLITE_ROW)
        return std::nullopt;
    return query.text(0);
}

} // namespace platform
