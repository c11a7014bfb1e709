#include "storage.h"

#include "datetime.h"
#include "unicode.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tdslite {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFileExtension = ".sqlite";
constexpr const char* kCreatingSuffix = ".creating";
constexpr std::size_t kMaxAttached = 9; // SQLite's default limit is 10

struct SystemDatabase {
    const char16_t* name;
    int dbid;
};
constexpr SystemDatabase kSystemDatabases[] = {
    {u"master", 1}, {u"tempdb", 2}, {u"model", 3}, {u"msdb", 4}};

const char* kSchemaSql = R"sql(
CREATE TABLE "__tdslite_database"(name TEXT NOT NULL, dbid INTEGER NOT NULL,
    crdate INTEGER NOT NULL);
CREATE TABLE "__tdslite_objects"(id INTEGER PRIMARY KEY, name TEXT NOT NULL,
    xtype TEXT NOT NULL, parent_obj INTEGER NOT NULL, crdate INTEGER NOT NULL);
CREATE TABLE "__tdslite_columns"(object_id INTEGER NOT NULL, ordinal INTEGER NOT NULL,
    name TEXT NOT NULL, type TEXT NOT NULL, length INTEGER NOT NULL, precision INTEGER NOT NULL,
    scale INTEGER NOT NULL, nullable INTEGER NOT NULL, key_ordinal INTEGER NOT NULL,
    PRIMARY KEY(object_id, ordinal));
)sql";

const std::pair<ColumnType, const char*> kTypeNames[] = {
    {ColumnType::NVarChar, "nvarchar"}, {ColumnType::Char, "char"},
    {ColumnType::Text, "text"},         {ColumnType::Image, "image"},
    {ColumnType::Decimal, "decimal"},   {ColumnType::DateTime, "datetime"},
    {ColumnType::Int, "int"},           {ColumnType::SmallInt, "smallint"},
    {ColumnType::TinyInt, "tinyint"},   {ColumnType::Bit, "bit"},
};

ColumnType typeFromName(const std::string& name) {
    for (const auto& [type, typeName] : kTypeNames) {
        if (name == typeName) {
            return type;
        }
    }
    throw SqliteError(SQLITE_CORRUPT, "unknown column type in catalogue: " + name);
}

std::string text(sqlite3_stmt* statement, int column) {
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return data ? std::string(data,
                              static_cast<std::size_t>(sqlite3_column_bytes(statement, column)))
                : std::string();
}

void bindText(sqlite3_stmt* statement, int index, const std::string& value) {
    sqlite3_bind_text(statement, index, value.data(), static_cast<int>(value.size()),
                      SQLITE_TRANSIENT);
}

// Steps a statement that returns no rows.
void run(SqliteDb& db, sqlite3_stmt* statement) {
    int rc = sqlite3_step(statement);
    sqlite3_reset(statement);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
        db.fail(rc);
    }
}

void removeFiles(const fs::path& path) {
    std::error_code ignored;
    fs::remove(path, ignored);
    for (const char* suffix : {"-wal", "-shm", "-journal"}) {
        fs::remove(fs::path(path.string() + suffix), ignored);
    }
}

void syncFile(const fs::path& path) {
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

class StandaloneConnection {
public:
    explicit StandaloneConnection(const fs::path& path) {
        int rc = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                                 nullptr);
        if (rc != SQLITE_OK) {
            std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
            sqlite3_close(db_);
            throw SqliteError(rc, path.string() + ": " + message);
        }
    }
    ~StandaloneConnection() { sqlite3_close(db_); }
    StandaloneConnection(const StandaloneConnection&) = delete;
    StandaloneConnection& operator=(const StandaloneConnection&) = delete;

    void exec(const std::string& sql) {
        char* message = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
            std::string textCopy = message ? message : "unknown error";
            sqlite3_free(message);
            throw SqliteError(sqlite3_extended_errcode(db_), textCopy);
        }
    }
    sqlite3* handle() const { return db_; }

private:
    sqlite3* db_ = nullptr;
};

} // namespace

int TableDef::findColumn(std::u16string_view columnName) const {
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (equalsNoCase(columns[i].column.name, columnName)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const TableDef* Database::findTable(std::u16string_view tableName) const {
    auto found = tables.find(foldName(tableName));
    return found == tables.end() ? nullptr : &found->second;
}

std::string columnTypeName(ColumnType type) {
    for (const auto& [candidate, typeName] : kTypeNames) {
        if (candidate == type) {
            return typeName;
        }
    }
    return "nvarchar";
}

DirectoryLock::DirectoryLock(const fs::path& dataDir) {
    fs::create_directories(dataDir);
    fs::path lockFile = dataDir / "tdslite.lock";
    fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        throw std::runtime_error("cannot open " + lockFile.string());
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd_);
        throw std::runtime_error("the data directory " + dataDir.string() +
                                 " is in use by another tdslite");
    }
}

DirectoryLock::~DirectoryLock() {
    ::close(fd_);
}

Storage::Storage(fs::path dataDir, const Collation& collation)
    : dataDir_(std::move(dataDir)), lock_(dataDir_), collation_(collation),
      random_(std::random_device{}()) {
    registerCollation(sql_.handle(), collation_);
    sql_.exec(std::string("CREATE TABLE ") + kDatabasesTable +
              "(name TEXT, dbid INTEGER, sid BLOB, mode INTEGER, status INTEGER, status2 INTEGER,"
              " crdate INTEGER, reserved INTEGER, category INTEGER, cmptlevel INTEGER,"
              " filename TEXT, version INTEGER)");
    scan();
    ensureSystemDatabases();
    refreshDatabaseRows();
}

fs::path Storage::pathFor(const std::u16string& name) const {
    // File names are the folded database name; characters a file system may refuse are escaped.
    std::string file;
    for (char16_t c : foldName(name)) {
        if ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'_' || c == u'-') {
            file.push_back(static_cast<char>(c));
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "%%%04X", static_cast<unsigned>(c));
            file += escaped;
        }
    }
    return dataDir_ / (file + kFileExtension);
}

void Storage::scan() {
    for (const auto& entry : fs::directory_iterator(dataDir_)) {
        const fs::path& path = entry.path();
        std::string fileName = path.filename().string();
        if (fileName.size() > std::strlen(kCreatingSuffix) && fileName.ends_with(kCreatingSuffix)) {
            removeFiles(path); // a create that never finished
            continue;
        }
        if (!entry.is_regular_file() || path.extension() != kFileExtension) {
            continue;
        }
        try {
            Database database = loadInfo(path);
            std::u16string key = foldName(database.name);
            databases_.emplace(key, std::move(database));
        } catch (const SqliteError& error) {
            // A stray file in the data directory must not keep the server from starting.
            std::fprintf(stderr, "tdslite: skipping %s: %s\n", path.c_str(), error.what());
        }
    }
}

Database Storage::loadInfo(const fs::path& path) {
    StandaloneConnection connection(path);
    sqlite3_stmt* statement = nullptr;
    const char* query = "SELECT name, dbid, crdate FROM \"__tdslite_database\"";
    if (sqlite3_prepare_v2(connection.handle(), query, -1, &statement, nullptr) != SQLITE_OK) {
        throw SqliteError(SQLITE_CORRUPT, path.string() + " is not a tdslite database");
    }
    Database database;
    if (sqlite3_step(statement) == SQLITE_ROW) {
        database.name = fromUtf8(text(statement, 0));
        database.dbid = sqlite3_column_int(statement, 1);
        database.created = sqlite3_column_int64(statement, 2);
    }
    sqlite3_finalize(statement);
    if (database.name.empty()) {
        throw SqliteError(SQLITE_CORRUPT, path.string() + " has no database name");
    }
    database.path = path;
    database.schema = "d" + std::to_string(database.dbid);
    database.system = database.dbid <= 4;
    return database;
}

void Storage::ensureSystemDatabases() {
    for (const auto& system : kSystemDatabases) {
        std::u16string name = system.name;
        auto found = databases_.find(name);
        // tempdb starts empty each time, as on SQL Server.
        if (found != databases_.end() && system.dbid == 2) {
            removeFiles(found->second.path);
            databases_.erase(found);
            found = databases_.end();
        }
        if (found == databases_.end()) {
            fs::path path = pathFor(name);
            writeNewFile(path, name, system.dbid, toStored(localNow()), system.dbid != 2);
            databases_.emplace(name, loadInfo(path));
        }
    }
}

void Storage::writeNewFile(const fs::path& path, const std::u16string& name, int dbid,
                           std::int64_t created, bool durable) {
    fs::path creating(path.string() + kCreatingSuffix);
    removeFiles(creating);
    removeFiles(path);
    {
        // Unsynced writes, then one fsync: the file is renamed into place only when complete.
        StandaloneConnection connection(creating);
        connection.exec("PRAGMA synchronous=OFF");
        connection.exec("PRAGMA journal_mode=WAL");
        connection.exec(std::string("BEGIN;") + kSchemaSql +
                        "INSERT INTO \"__tdslite_database\" VALUES(" + quoteText(toUtf8(name)) +
                        "," + std::to_string(dbid) + "," + std::to_string(created) + ");COMMIT;");
    }
    if (durable) {
        syncFile(creating);
    }
    // The database appears only once complete: a crash before this leaves a .creating file.
    fs::rename(creating, path);
    if (durable) {
        syncFile(dataDir_);
    }
}

Database* Storage::find(std::u16string_view name) {
    auto found = databases_.find(foldName(name));
    return found == databases_.end() ? nullptr : &found->second;
}

std::vector<const Database*> Storage::databases() const {
    std::vector<const Database*> out;
    for (const auto& entry : databases_) {
        out.push_back(&entry.second);
    }
    std::sort(out.begin(), out.end(),
              [](const Database* a, const Database* b) { return a->dbid < b->dbid; });
    return out;
}

void Storage::evictOne() {
    Database* victim = nullptr;
    for (auto& entry : databases_) {
        Database& candidate = entry.second;
        if (candidate.attached && candidate.lastUse < statementStart_ &&
            (victim == nullptr || candidate.lastUse < victim->lastUse)) {
            victim = &candidate;
        }
    }
    if (victim == nullptr) {
        throw SqliteError(SQLITE_LIMIT_ATTACHED, "too many databases in one statement");
    }
    sql_.clearCache();
    sql_.exec("DETACH DATABASE " + quoteName(victim->schema));
    victim->attached = false;
}

Database& Storage::open(Database& database) {
    database.lastUse = ++clock_;
    if (!database.attached) {
        std::size_t attached = static_cast<std::size_t>(
            std::count_if(databases_.begin(), databases_.end(),
                          [](const auto& entry) { return entry.second.attached; }));
        if (attached >= kMaxAttached) {
            evictOne();
        }
        sqlite3_stmt* attach = sql_.prepare("ATTACH DATABASE ?1 AS ?2");
        bindText(attach, 1, database.path.string());
        bindText(attach, 2, database.schema);
        run(sql_, attach);
        database.attached = true;
        std::string schema = quoteName(database.schema);
        sql_.exec("PRAGMA " + schema + ".journal_mode=WAL");
        sql_.exec("PRAGMA " + schema + ".synchronous=NORMAL");
        sql_.exec("PRAGMA " + schema + ".mmap_size=268435456");
    }
    if (!database.loaded) {
        loadTables(database);
    }
    return database;
}

void Storage::loadTables(Database& database) {
    std::string schema = quoteName(database.schema);
    std::map<std::int64_t, TableDef> byId;
    std::vector<std::tuple<std::int64_t, std::u16string, std::int64_t>> keys;
    sqlite3_stmt* objects = sql_.prepare("SELECT id, name, xtype, parent_obj, crdate FROM " +
                                         schema + ".\"__tdslite_objects\"");
    while (sqlite3_step(objects) == SQLITE_ROW) {
        std::int64_t id = sqlite3_column_int64(objects, 0);
        std::u16string name = fromUtf8(text(objects, 1));
        std::string xtype = text(objects, 2);
        if (xtype == "PK") {
            keys.emplace_back(id, name, sqlite3_column_int64(objects, 3));
        } else {
            TableDef& table = byId[id];
            table.id = id;
            table.name = name;
            table.created = sqlite3_column_int64(objects, 4);
        }
    }
    sqlite3_reset(objects);
    for (const auto& [id, name, parent] : keys) {
        byId[parent].keyId = id;
        byId[parent].keyName = name;
    }
    sqlite3_stmt* columns = sql_.prepare(
        "SELECT object_id, name, type, length, precision, scale, nullable, key_ordinal FROM " +
        schema + ".\"__tdslite_columns\" ORDER BY object_id, ordinal");
    while (sqlite3_step(columns) == SQLITE_ROW) {
        ColumnDef column;
        column.column.name = fromUtf8(text(columns, 1));
        column.column.type = typeFromName(text(columns, 2));
        column.column.length = sqlite3_column_int(columns, 3);
        column.column.precision = sqlite3_column_int(columns, 4);
        column.column.scale = sqlite3_column_int(columns, 5);
        column.column.nullable = sqlite3_column_int(columns, 6) != 0;
        column.keyOrdinal = sqlite3_column_int(columns, 7);
        byId[sqlite3_column_int64(columns, 0)].columns.push_back(std::move(column));
    }
    sqlite3_reset(columns);
    database.tables.clear();
    for (auto& [id, table] : byId) {
        std::u16string key = foldName(table.name);
        database.tables.emplace(key, std::move(table));
    }
    database.loaded = true;
}

Database& Storage::createDatabase(const std::u16string& name) {
    int dbid = 5;
    std::vector<const Database*> all = databases();
    for (const Database* database : all) {
        if (database->dbid == dbid) {
            ++dbid;
        }
    }
    fs::path path = pathFor(name);
    writeNewFile(path, name, dbid, toStored(localNow()), true);
    Database& database = databases_.emplace(foldName(name), loadInfo(path)).first->second;
    refreshDatabaseRows();
    return database;
}

void Storage::dropDatabase(Database& database) {
    if (database.attached) {
        sql_.clearCache();
        sql_.exec("DETACH DATABASE " + quoteName(database.schema));
    }
    removeFiles(database.path);
    databases_.erase(foldName(database.name));
    refreshDatabaseRows();
}

std::int64_t Storage::newObjectId(const Database& database) {
    std::uniform_int_distribution<std::int64_t> pick(100000000, 2147483647);
    while (true) {
        std::int64_t id = pick(random_);
        bool used =
            std::any_of(database.tables.begin(), database.tables.end(), [id](const auto& entry) {
                return entry.second.id == id || entry.second.keyId == id;
            });
        if (!used) {
            return id;
        }
    }
}

const TableDef& Storage::createTable(Database& database, TableDef table,
                                     const std::string& columnsSql) {
    std::string schema = quoteName(database.schema);
    table.id = newObjectId(database);
    table.created = toStored(localNow());
    bool hasKey = std::any_of(table.columns.begin(), table.columns.end(),
                              [](const ColumnDef& column) { return column.keyOrdinal > 0; });
    if (hasKey) {
        do {
            table.keyId = newObjectId(database);
        } while (table.keyId == table.id);
    }
    if (hasKey && table.keyName.empty()) {
        char hex[17];
        std::snprintf(hex, sizeof hex, "%016llX", static_cast<unsigned long long>(random_()));
        table.keyName = u"PK__" + table.name.substr(0, 116) + u"__" + fromAscii(hex);
    }
    Transaction transaction(sql_);
    sql_.exec("CREATE TABLE " + schema + "." + quoteName(toUtf8(table.name)) + "(" + columnsSql +
              ")");
    sqlite3_stmt* object =
        sql_.prepare("INSERT INTO " + schema + ".\"__tdslite_objects\" VALUES(?1, ?2, ?3, ?4, ?5)");
    auto addObject = [&](std::int64_t id, const std::u16string& name, const char* xtype,
                         std::int64_t parent) {
        sqlite3_bind_int64(object, 1, id);
        bindText(object, 2, toUtf8(name));
        bindText(object, 3, xtype);
        sqlite3_bind_int64(object, 4, parent);
        sqlite3_bind_int64(object, 5, table.created);
        run(sql_, object);
    };
    addObject(table.id, table.name, "U ", 0);
    if (hasKey) {
        addObject(table.keyId, table.keyName, "PK", table.id);
    }
    sqlite3_stmt* column =
        sql_.prepare("INSERT INTO " + schema +
                     ".\"__tdslite_columns\" VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        const ColumnDef& def = table.columns[i];
        sqlite3_bind_int64(column, 1, table.id);
        sqlite3_bind_int64(column, 2, static_cast<std::int64_t>(i + 1));
        bindText(column, 3, toUtf8(def.column.name));
        bindText(column, 4, columnTypeName(def.column.type));
        sqlite3_bind_int(column, 5, def.column.length);
        sqlite3_bind_int(column, 6, def.column.precision);
        sqlite3_bind_int(column, 7, def.column.scale);
        sqlite3_bind_int(column, 8, def.column.nullable ? 1 : 0);
        sqlite3_bind_int(column, 9, def.keyOrdinal);
        run(sql_, column);
    }
    transaction.commit();
    std::u16string key = foldName(table.name);
    return database.tables.emplace(key, std::move(table)).first->second;
}

void Storage::dropTable(Database& database, const TableDef& table) {
    std::string schema = quoteName(database.schema);
    Transaction transaction(sql_);
    sql_.exec("DROP TABLE " + schema + "." + quoteName(toUtf8(table.name)));
    sql_.exec("DELETE FROM " + schema + ".\"__tdslite_objects\" WHERE id=" +
              std::to_string(table.id) + " OR parent_obj=" + std::to_string(table.id));
    sql_.exec("DELETE FROM " + schema +
              ".\"__tdslite_columns\" WHERE object_id=" + std::to_string(table.id));
    transaction.commit();
    database.tables.erase(foldName(table.name));
}

void Storage::refreshDatabaseRows() {
    sql_.exec(std::string("DELETE FROM ") + kDatabasesTable);
    sqlite3_stmt* insert =
        sql_.prepare(std::string("INSERT INTO ") + kDatabasesTable +
                     " VALUES(?1, ?2, x'01', 0, ?3, ?4, ?5, 0, 0, 160, ?6, 957)");
    for (const Database* database : databases()) {
        bindText(insert, 1, toUtf8(database->name));
        sqlite3_bind_int(insert, 2, database->dbid);
        sqlite3_bind_int(insert, 3, database->system ? 65544 : 65537);
        sqlite3_bind_int(insert, 4, database->system ? 1090519040 : 1090520064);
        sqlite3_bind_int64(insert, 5, database->created);
        bindText(insert, 6, fs::absolute(database->path).string());
        run(sql_, insert);
    }
}

} // namespace tdslite
