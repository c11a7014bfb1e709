// A thin layer over one SQLite connection: cached prepared statements and errors as exceptions.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <unordered_map>

namespace tdslite {

struct SqliteError : std::runtime_error {
    SqliteError(int code, const std::string& message) : std::runtime_error(message), code(code) {}
    int code; // extended result code
};

std::string quoteName(const std::string& utf8Name); // "name" with quotes doubled
std::string quoteText(const std::string& utf8Text); // 'text' with quotes doubled

class SqliteDb {
public:
    SqliteDb();
    ~SqliteDb();
    SqliteDb(const SqliteDb&) = delete;
    SqliteDb& operator=(const SqliteDb&) = delete;

    sqlite3* handle() const { return db_; }
    void exec(const std::string& sql);
    // A reset statement from the cache; stays owned by the cache.
    sqlite3_stmt* prepare(const std::string& sql);
    void clearCache();
    [[noreturn]] void fail(int code) const;

private:
    sqlite3* db_ = nullptr;
    std::unordered_map<std::string, sqlite3_stmt*> cache_;
};

// Runs one statement's changes as one SQLite transaction; rolls back unless committed.
class Transaction {
public:
    explicit Transaction(SqliteDb& db);
    ~Transaction();
    void commit();

private:
    SqliteDb& db_;
    bool open_ = true;
};

} // namespace tdslite
