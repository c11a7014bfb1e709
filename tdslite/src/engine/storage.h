// Databases as SQLite files under the data directory, and the tables each one holds.
#pragma once

#include "collation.h"
#include "engine.h"
#include "sqlite_db.h"

#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace tdslite {

struct ColumnDef {
    Column column;
    int keyOrdinal = 0; // position in the primary key, from 1; 0 when not part of it
};

struct TableDef {
    std::int64_t id = 0;
    std::u16string name;
    std::vector<ColumnDef> columns;
    std::int64_t keyId = 0; // 0: no primary key
    std::u16string keyName;
    std::int64_t created = 0; // stored datetime

    int findColumn(std::u16string_view columnName) const; // -1 when absent
};

struct Database {
    std::u16string name;
    int dbid = 0;
    std::int64_t created = 0;
    std::filesystem::path path;
    std::string schema; // SQLite schema name while attached: "d<dbid>"
    bool attached = false;
    bool loaded = false;
    bool system = false;
    std::uint64_t lastUse = 0;
    std::map<std::u16string, TableDef> tables; // by folded name

    const TableDef* findTable(std::u16string_view tableName) const;
};

std::string columnTypeName(ColumnType type);

// Holds the data directory for one server: a second one would not see the first one's tables.
class DirectoryLock {
public:
    explicit DirectoryLock(const std::filesystem::path& dataDir);
    ~DirectoryLock();
    DirectoryLock(const DirectoryLock&) = delete;
    DirectoryLock& operator=(const DirectoryLock&) = delete;

private:
    int fd_ = -1;
};

class Storage {
public:
    // Throws std::runtime_error when the directory cannot be used or another server holds it.
    Storage(std::filesystem::path dataDir, const Collation& collation);

    SqliteDb& sql() { return sql_; }
    const Collation& collation() const { return collation_; }

    Database* find(std::u16string_view name);
    std::vector<const Database*> databases() const;
    // Attaches the database and loads its tables; the databases opened since the last
    // startStatement() stay attached until the next one.
    Database& open(Database& database);
    void startStatement() { statementStart_ = ++clock_; }

    Database& createDatabase(const std::u16string& name);
    void dropDatabase(Database& database);
    // Creates the SQLite table and its catalogue rows in one transaction.
    const TableDef& createTable(Database& database, TableDef table, const std::string& columnsSql);
    void dropTable(Database& database, const TableDef& table);

    // Rows of master.dbo.sysdatabases live in the connection's in-memory main database.
    static constexpr const char* kDatabasesTable = "main.\"__tdslite_sysdatabases\"";

private:
    void scan();
    void ensureSystemDatabases();
    Database loadInfo(const std::filesystem::path& path);
    void writeNewFile(const std::filesystem::path& path, const std::u16string& name, int dbid,
                      std::int64_t created, bool durable);
    void loadTables(Database& database);
    void evictOne();
    void refreshDatabaseRows();
    std::int64_t newObjectId(const Database& database);
    std::filesystem::path pathFor(const std::u16string& name) const;

    std::filesystem::path dataDir_;
    DirectoryLock lock_;
    const Collation& collation_;
    SqliteDb sql_;
    std::map<std::u16string, Database> databases_; // by folded name
    std::uint64_t clock_ = 0;
    std::uint64_t statementStart_ = 0;
    std::mt19937_64 random_;
};

} // namespace tdslite
