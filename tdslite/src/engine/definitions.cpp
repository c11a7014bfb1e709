// Statements that define databases and tables, and the session settings: CREATE, DROP, USE, SET.
#include "executor.h"

#include "binder.h"
#include "unicode.h"

#include <algorithm>
#include <chrono>

namespace tdslite {

namespace {

std::string storedType(ColumnType type) {
    switch (type) {
    case ColumnType::NVarChar:
    case ColumnType::Char:
    case ColumnType::Text:
        return std::string("TEXT COLLATE ") + kCollateName;
    case ColumnType::Image:
        return "BLOB";
    default:
        return "INTEGER";
    }
}

struct TypeSpec {
    const char* name;
    ColumnType type;
};
constexpr TypeSpec kTypes[] = {
    {"NVARCHAR", ColumnType::NVarChar}, {"CHAR", ColumnType::Char},
    {"TEXT", ColumnType::Text},         {"IMAGE", ColumnType::Image},
    {"DECIMAL", ColumnType::Decimal},   {"NUMERIC", ColumnType::Decimal},
    {"DATETIME", ColumnType::DateTime}, {"INT", ColumnType::Int},
    {"INTEGER", ColumnType::Int},       {"SMALLINT", ColumnType::SmallInt},
    {"TINYINT", ColumnType::TinyInt},   {"BIT", ColumnType::Bit},
};

Column columnFromSpec(const ColumnSpec& definition, int ordinal) {
    Column column;
    column.name = definition.name;
    const TypeSpec* found = nullptr;
    for (const TypeSpec& type : kTypes) {
        if (isWord(definition.typeName, type.name)) {
            found = &type;
        }
    }
    if (found == nullptr) {
        throw err::unknownType(ordinal, definition.typeName);
    }
    column.type = found->type;
    const auto& args = definition.typeArgs;
    switch (column.type) {
    case ColumnType::NVarChar:
    case ColumnType::Char: {
        if (definition.maxLength) {
            throw err::unsupported(u"(max) column types");
        }
        int maximum = column.type == ColumnType::NVarChar ? 4000 : 8000;
        column.length = args.empty() ? 1 : args[0];
        if (column.length > maximum || column.length < 1 || args.size() > 1) {
            throw err::columnSize(definition.name, column.length, maximum);
        }
        break;
    }
    case ColumnType::Decimal:
        column.precision = args.empty() ? 18 : args[0];
        column.scale = args.size() > 1 ? args[1] : 0;
        if (column.precision > 18 || column.precision < 1) {
            throw err::precision(ordinal, column.precision, 18);
        }
        if (column.scale > column.precision || column.scale < 0) {
            throw err::unsupported(u"a scale larger than the precision");
        }
        break;
    default:
        if (!args.empty() || definition.maxLength) {
            throw err::syntax(u"(", false);
        }
    }
    column.nullable = definition.nullable.value_or(true);
    return column;
}

} // namespace

StatementResult Executor::createTable(const CreateTableStatement& statement) {
    Binder binder(*engine_.storage, session_.database);
    Database& database = binder.databaseFor(statement.table);
    const std::u16string& name = statement.table.parts.back();
    if (session_.role != Role::SysAdmin) {
        throw err::createPermission(u"CREATE TABLE", database.name);
    }
    if (statement.table.parts.size() >= 2 &&
        !statement.table.parts[statement.table.parts.size() - 2].empty() &&
        !isWord(statement.table.parts[statement.table.parts.size() - 2], "DBO")) {
        throw err::unsupported(u"schemas other than dbo");
    }
    if (database.findTable(name) != nullptr) {
        throw err::objectExists(name);
    }
    if (isWord(name.substr(0, std::min<std::size_t>(name.size(), 7)), "SQLITE_") ||
        isWord(name.substr(0, std::min<std::size_t>(name.size(), 9)), "__TDSLITE")) {
        throw err::unsupported(u"this table name");
    }
    if (statement.primaryKeyCount > 1) {
        throw err::multiplePrimaryKeys(name);
    }
    TableDef table;
    table.name = name;
    for (std::size_t i = 0; i < statement.columns.size(); ++i) {
        const ColumnSpec& definition = statement.columns[i];
        ColumnDef column;
        column.column = columnFromSpec(definition, static_cast<int>(i + 1));
        if (table.findColumn(definition.name) >= 0) {
            throw err::duplicateColumnName(definition.name, name);
        }
        if (definition.primaryKey) {
            column.keyOrdinal = 1;
            table.keyName = definition.constraintName;
        }
        table.columns.push_back(std::move(column));
    }
    for (std::size_t k = 0; k < statement.tableKey.size(); ++k) {
        int index = table.findColumn(statement.tableKey[k]);
        if (index < 0) {
            throw err::invalidColumn(statement.tableKey[k]);
        }
        table.columns[static_cast<std::size_t>(index)].keyOrdinal = static_cast<int>(k + 1);
        table.keyName = statement.tableKeyName;
    }
    std::string columnsSql;
    std::string keySql;
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        ColumnDef& column = table.columns[i];
        const ColumnSpec* definition =
            i < statement.columns.size() ? &statement.columns[i] : nullptr;
        if (column.keyOrdinal > 0) {
            if (definition->nullable.value_or(false)) {
                throw err::nullablePrimaryKey(name);
            }
            if (column.column.type == ColumnType::Text || column.column.type == ColumnType::Image) {
                throw err::invalidKeyColumn(column.column.name, name);
            }
            column.column.nullable = false;
        }
        std::string columnName = quoteName(toUtf8(column.column.name));
        columnsSql += (i > 0 ? ", " : "") + columnName + " " + storedType(column.column.type) +
                      (column.column.nullable ? "" : " NOT NULL");
    }
    std::vector<std::pair<int, std::string>> keyColumns;
    for (const ColumnDef& column : table.columns) {
        if (column.keyOrdinal > 0) {
            keyColumns.emplace_back(column.keyOrdinal, quoteName(toUtf8(column.column.name)));
        }
    }
    std::sort(keyColumns.begin(), keyColumns.end());
    for (std::size_t k = 0; k < keyColumns.size(); ++k) {
        keySql += (k > 0 ? ", " : "") + keyColumns[k].second;
    }
    if (!keySql.empty()) {
        columnsSql += ", PRIMARY KEY(" + keySql + ")";
    }
    engine_.storage->createTable(database, std::move(table), columnsSql);
    return {};
}

StatementResult Executor::dropTable(const DropTableStatement& statement) {
    for (const ObjectName& name : statement.tables) {
        Binder binder(*engine_.storage, session_.database);
        Database* database = nullptr;
        try {
            database = &binder.databaseFor(name);
        } catch (const SqlError&) {
            throw err::cannotDropTable(name.written());
        }
        const TableDef* table = database->findTable(name.parts.back());
        if (table == nullptr || session_.role != Role::SysAdmin) {
            throw err::cannotDropTable(name.written());
        }
        engine_.storage->dropTable(*database, *table);
    }
    return {};
}

StatementResult Executor::createDatabase(const CreateDatabaseStatement& statement) {
    if (session_.role != Role::SysAdmin) {
        throw err::createPermission(u"CREATE DATABASE", u"master");
    }
    if (engine_.storage->find(statement.name) != nullptr) {
        throw err::databaseExists(statement.name);
    }
    engine_.storage->createDatabase(statement.name);
    return {};
}

bool Executor::othersLeave(const std::u16string& foldedDatabase) {
    auto noneInside = [&] {
        return std::none_of(
            engine_.sessions.begin(), engine_.sessions.end(),
            [&](const SessionState* other) { return foldName(other->database) == foldedDatabase; });
    };
    if (noneInside() || engine_.batchLock == nullptr) {
        return noneInside();
    }
    // A connection closed just before the drop is still ending on its own thread.
    std::unique_lock<std::mutex>& lock = *engine_.batchLock;
    const bool left = engine_.sessionEnded.wait_for(lock, std::chrono::seconds(2), noneInside);
    engine_.batchLock = &lock;
    return left;
}

StatementResult Executor::dropDatabase(const DropDatabaseStatement& statement) {
    for (const std::u16string& name : statement.names) {
        Database* database = engine_.storage->find(name);
        if (database == nullptr || session_.role != Role::SysAdmin) {
            throw err::cannotDropDatabase(name);
        }
        if (database->system) {
            throw err::systemDatabase(name);
        }
        const std::u16string key = foldName(database->name);
        if (foldName(session_.database) == key || !othersLeave(key)) {
            throw err::databaseInUse(name);
        }
        // Waiting let other batches run: look the database up again.
        database = engine_.storage->find(name);
        if (database == nullptr) {
            throw err::cannotDropDatabase(name);
        }
        engine_.storage->dropDatabase(*database);
    }
    return {};
}

StatementResult Executor::use(const UseStatement& statement) {
    Database* database = engine_.storage->find(statement.name);
    if (database == nullptr) {
        throw err::noSuchDatabase(statement.name);
    }
    session_.database = database->name;
    StatementResult result;
    result.messages.push_back(
        makeInfo(5701, format(u"Changed database context to '%s'.", {database->name})));
    return result;
}

StatementResult Executor::set(const SetStatement& statement) {
    if (isWord(statement.option, "NOCOUNT")) {
        session_.noCount = isWord(statement.value, "ON");
    }
    return {};
}
} // namespace tdslite
