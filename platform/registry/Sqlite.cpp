#include "Sqlite.h"

namespace platform::sqlite {

Statement::Statement(sqlite3* db, const char* sql) {
    if (sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &m_handle, nullptr) !=
        SQLITE_OK) {
        sqlite3_finalize(m_handle);
        m_handle = nullptr;
    }
}

Statement::~Statement() {
    sqlite3_finalize(m_handle);
}

Query::~Query() {
    sqlite3_reset(m_handle);
    sqlite3_clear_bindings(m_handle);
}

Query& Query::bind(int index, int64_t value) {
    sqlite3_bind_int64(m_handle, index, value);
    return *this;
}

Query& Query::bindText(int index, const QByteArray& utf8) {
    // constData() is never null, so an empty name binds as '' rather than NULL.
    sqlite3_bind_text64(m_handle, index, utf8.constData(), uint64_t(utf8.size()), SQLITE_TRANSIENT,
                        SQLITE_UTF8);
    return *this;
}

Query& Query::bindBlob(int index, QByteArrayView data) {
    // A null pointer would bind NULL; an empty value must stay a zero-length blob.
    static const char none = 0;
    sqlite3_bind_blob64(m_handle, index, data.isEmpty() ? &none : data.data(),
                        uint64_t(data.size()), SQLITE_TRANSIENT);
    return *this;
}

int Query::step() {
    return sqlite3_step(m_handle);
}

int64_t Query::integer(int column) const {
    return sqlite3_column_int64(m_handle, column);
}

QString Query::text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_handle, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(m_handle, column));
}

QByteArray Query::blob(int column) const {
    const auto* data = static_cast<const char*>(sqlite3_column_blob(m_handle, column));
    return QByteArray(data, sqlite3_column_bytes(m_handle, column));
}

} // namespace platform::sqlite
