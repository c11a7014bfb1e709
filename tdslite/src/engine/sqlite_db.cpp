#include "sqlite_db.h"

namespace tdslite {

namespace {
constexpr std::size_t kCacheLimit = 256;

std::string quoteWith(const std::string& text, char quote) {
    std::string out(1, quote);
    for (char c : text) {
        out.push_back(c);
        if (c == quote) {
            out.push_back(quote);
        }
    }
    out.push_back(quote);
    return out;
}
} // namespace

std::string quoteName(const std::string& utf8Name) {
    return quoteWith(utf8Name, '"');
}
std::string quoteText(const std::string& utf8Text) {
    return quoteWith(utf8Text, '\'');
}

SqliteDb::SqliteDb() {
    int rc = sqlite3_open_v2(":memory:", &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        throw SqliteError(rc, "cannot open the SQLite connection");
    }
    sqlite3_extended_result_codes(db_, 1);
}

SqliteDb::~SqliteDb() {
    clearCache();
    sqlite3_close(db_);
}

void SqliteDb::fail(int code) const {
    throw SqliteError(code, sqlite3_errmsg(db_));
}

void SqliteDb::exec(const std::string& sql) {
    char* message = nullptr;
    int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        std::string text = message ? message : sqlite3_errstr(rc);
        sqlite3_free(message);
        throw SqliteError(sqlite3_extended_errcode(db_), text);
    }
}

sqlite3_stmt* SqliteDb::prepare(const std::string& sql) {
    auto found = cache_.find(sql);
    if (found != cache_.end()) {
        sqlite3_reset(found->second);
        sqlite3_clear_bindings(found->second);
        return found->second;
    }
    if (cache_.size() >= kCacheLimit) {
        clearCache();
    }
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v3(db_, sql.c_str(), static_cast<int>(sql.size()),
                                SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
    if (rc != SQLITE_OK) {
        fail(rc);
    }
    cache_.emplace(sql, statement);
    return statement;
}

void SqliteDb::clearCache() {
    for (auto& entry : cache_) {
        sqlite3_finalize(entry.second);
    }
    cache_.clear();
}

Transaction::Transaction(SqliteDb& db) : db_(db) {
    db_.exec("BEGIN");
}

Transaction::~Transaction() {
    if (open_) {
        try {
            db_.exec("ROLLBACK");
        } catch (const SqliteError&) {
            // Nothing more can be done: SQLite has already rolled the transaction back.
        }
    }
}

void Transaction::commit() {
    db_.exec("COMMIT");
    open_ = false;
}

} // namespace tdslite
