#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <memory>
#include <sqlite3.h>

// Thin owners of SQLite handles for the registry store.
namespace platform::sqlite {

struct CloseDatabase {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Database = std::unique_ptr<sqlite3, CloseDatabase>;

// A statement prepared once and kept for the life of its connection.
class Statement {
public:
    Statement() = default;
    Statement(sqlite3* db, const char* sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool isValid() const { return m_handle != nullptr; }
    sqlite3_stmt* handle() const { return m_handle; }

private:
    sqlite3_stmt* m_handle = nullptr;
};

// One execution of a statement. The statement is reset when the query ends, so that no read
// snapshot stays open between calls (it would hold back other processes' checkpoints).
class Query {
public:
    explicit Query(Statement& statement) : m_handle(statement.handle()) {}
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    Query& bind(int index, int64_t value);
    Query& bindText(int index, const QByteArray& utf8);
    Query& bindBlob(int index, QByteArrayView data);

    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step();
    // Runs a statement that returns no rows; true when it succeeded.
    bool run() { return step() == SQLITE_DONE; }

    int64_t integer(int column) const;
    QString text(int column) const;
    QByteArray blob(int column) const;

private:
    sqlite3_stmt* m_handle;
};

} // namespace platform::sqlite
