#include "RegistryDatabase.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

namespace platform {

namespace {

constexpr int SchemaVersion = 1;
constexpr int BusyTimeoutMs = 5000;

// Keys and values keep their names as given and a case-folded copy for lookup; row ids give
// the creation order. AUTOINCREMENT keeps a deleted key's id from being handed out again, so
// a handle to it cannot come to name another key.
constexpr const char* Schema = R"sql(
CREATE TABLE keys (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    parent INTEGER REFERENCES keys(id),
    name TEXT NOT NULL,
    folded TEXT NOT NULL,
    UNIQUE (parent, folded)
);
CREATE INDEX keys_by_parent ON keys(parent, id);
CREATE TABLE vals (
    id INTEGER PRIMARY KEY,
    key INTEGER NOT NULL REFERENCES keys(id) ON DELETE CASCADE,
    name TEXT NOT NULL,
    folded TEXT NOT NULL,
    type INTEGER NOT NULL,
    data BLOB NOT NULL,
    UNIQUE (key, folded)
);
CREATE INDEX vals_by_key ON vals(key, id);
INSERT INTO keys (id, parent, name, folded) VALUES
    (1, NULL, 'HKEY_CLASSES_ROOT', 'hkey_classes_root'),
    (2, NULL, 'HKEY_CURRENT_USER', 'hkey_current_user'),
    (3, NULL, 'HKEY_LOCAL_MACHINE', 'hkey_local_machine'),
    (4, NULL, 'HKEY_USERS', 'hkey_users'),
    (5, NULL, 'HKEY_PERFORMANCE_DATA', 'hkey_performance_data'),
    (6, NULL, 'HKEY_CURRENT_CONFIG', 'hkey_current_config'),
    (7, NULL, 'HKEY_DYN_DATA', 'hkey_dyn_data');
PRAGMA user_version = 1;
)sql";

enum class Health { Usable, Damaged, Unavailable };

bool isDamage(int code) {
    const int primary = code & 0xFF;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT;
}

sqlite::Database openName(const QByteArray& name, int flags) {
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(name.constData(), &db, flags, nullptr);
    sqlite::Database owner(db);
    if (rc != SQLITE_OK)
        return {};
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, BusyTimeoutMs);
    return owner;
}

sqlite::Database openFile(const QString& path, int flags) {
    return openName(QFile::encodeName(path), flags);
}

// A WAL database on a read-only medium cannot be read without its shared-memory file, which
// cannot be made there. Nothing can change such a file either, so it is read as immutable.
sqlite::Database openImmutable(const QString& path) {
    const QByteArray name = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    return openName("file:" + name.toPercentEncoding("/") + "?immutable=1",
                    SQLITE_OPEN_READONLY | SQLITE_OPEN_URI);
}

// Opening is lazy in SQLite; the first read of the file shows whether it is a database.
Health checkHealth(sqlite3* db) {
    sqlite::Statement check(db, "PRAGMA quick_check");
    if (!check.isValid())
        return isDamage(sqlite3_errcode(db)) ? Health::Damaged : Health::Unavailable;
    sqlite::Query query(check);
    const int rc = query.step();
    if (rc == SQLITE_ROW)
        return query.text(0) == u"ok" ? Health::Usable : Health::Damaged;
    return isDamage(rc) ? Health::Damaged : Health::Unavailable;
}

int userVersion(sqlite3* db) {
    sqlite::Statement version(db, "PRAGMA user_version");
    if (!version.isValid())
        return -1;
    sqlite::Query query(version);
    return query.step() == SQLITE_ROW ? int(query.integer(0)) : -1;
}

bool ensureSchema(sqlite3* db) {
    if (userVersion(db) >= SchemaVersion)
        return true;
    if (sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
        return false;
    // Another process may have created it while this one waited for the lock.
    const bool done = userVersion(db) >= SchemaVersion ||
                      sqlite3_exec(db, Schema, nullptr, nullptr, nullptr) == SQLITE_OK;
    if (done && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK)
        return true;
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return false;
}

// WAL keeps the file consistent whatever moment a process dies at, and lets readers run while
// another process writes. synchronous=NORMAL makes a commit durable once it returns against
// the death of the process (the log is in the system's cache); only a power failure can take
// back the last commits, never corrupt the file. FULL would add one disk flush per written
// value, which a settings save of some seventy values cannot afford on slower disks.
void configure(sqlite3* db, bool readOnly) {
    sqlite3_exec(db, "PRAGMA foreign_keys = ON", nullptr, nullptr, nullptr);
    if (readOnly)
        return;
    sqlite3_exec(db, "PRAGMA journal_mode = WAL", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "PRAGMA synchronous = NORMAL", nullptr, nullptr, nullptr);
}

sqlite::Database openReadWriteOrReadOnly(const QString& path) {
    if (auto db = openFile(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE))
        return db;
    return openFile(path, SQLITE_OPEN_READONLY);
}

QString asideName(const QString& path) {
    const QString stamp = QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss");
    QString name = path + QLatin1String(".corrupt-") + stamp;
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = path + QLatin1String(".corrupt-") + stamp + u'-' + QString::number(n);
    return name;
}

// The log and shared-memory files belong to the damaged file and go with it.
bool moveAside(const QString& path) {
    const QString aside = asideName(path);
    if (!QFile::rename(path, aside))
        return false;
    for (const char* suffix : {"-wal", "-shm"})
        if (QFileInfo::exists(path + QLatin1String(suffix)))
            QFile::rename(path + QLatin1String(suffix), aside + QLatin1String(suffix));
    qWarning("Orvenly registry: %s is not a usable database; moved it to %s and started anew.",
             qUtf8Printable(QDir::toNativeSeparators(path)),
             qUtf8Printable(QDir::toNativeSeparators(aside)));
    return true;
}

} // namespace

sqlite::Database openRegistryDatabase(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    auto db = openReadWriteOrReadOnly(path);
    if (!db)
        return {};
    switch (checkHealth(db.get())) {
    case Health::Usable:
        break;
    case Health::Unavailable:
        if (sqlite3_db_readonly(db.get(), "main") != 1)
            return {};
        db = openImmutable(path);
        if (!db || checkHealth(db.get()) != Health::Usable)
            return {};
        break;
    case Health::Damaged:
        db.reset();
        if (!moveAside(path))
            return {};
        db = openReadWriteOrReadOnly(path);
        if (!db || checkHealth(db.get()) != Health::Usable)
            return {};
        break;
    }
    const bool readOnly = sqlite3_db_readonly(db.get(), "main") == 1;
    configure(db.get(), readOnly);
    if (!readOnly && !ensureSchema(db.get()))
        return {};
    return db;
}

} // namespace platform
