#include "executor.h"

#include "binder.h"
#include "datetime.h"
#include "overloaded.h"
#include "parser.h"
#include "row_io.h"
#include "unicode.h"

#include <algorithm>

namespace tdslite {

namespace {

StatementResult failedWith(const SqlError& error, int line, bool keepLines) {
    StatementResult result;
    result.messages = error.messages;
    for (auto& message : result.messages) {
        if (!keepLines) {
            message.line = line;
        }
        if (message.severity > 10) {
            result.failed = true;
        }
    }
    return result;
}

bool isKeyViolation(int code) {
    return code == SQLITE_CONSTRAINT_PRIMARYKEY || code == SQLITE_CONSTRAINT_UNIQUE;
}

// Steps a statement that changes rows; returns SQLite's result code.
int step(sqlite3_stmt* statement) {
    int rc = sqlite3_step(statement);
    sqlite3_reset(statement);
    return rc;
}

std::u16string keyText(const TableDef& table, const std::vector<Param>& values) {
    std::vector<std::pair<int, std::u16string>> parts;
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        if (table.columns[c].keyOrdinal > 0) {
            parts.emplace_back(table.columns[c].keyOrdinal, describeForKey(values[c]));
        }
    }
    std::sort(parts.begin(), parts.end());
    std::u16string text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        text += (i > 0 ? u", " : u"") + parts[i].second;
    }
    return text;
}

} // namespace

BatchResult Executor::run(std::u16string_view batch) {
    BatchResult result;
    std::u16string startDatabase = session_.database;
    std::vector<Statement> statements;
    try {
        statements = parseBatch(batch);
        compile(statements);
    } catch (const SqlError& error) {
        result.statements.push_back(failedWith(error, 1, true));
        session_.lastError = error.messages.front().number;
        return result;
    }
    bool changedDatabase = false;
    for (const Statement& statement : statements) {
        engine_.storage->startStatement();
        now_ = localNow();
        StatementResult outcome;
        Reach reach = Reach::Statement;
        try {
            outcome = execute(statement);
        } catch (const SqlError& error) {
            outcome = failedWith(error, statement.line, false);
            reach = error.reach;
        } catch (const std::exception& error) {
            // SQLite or the file system failed under the statement; the session goes on.
            outcome = failedWith(err::storage(error.what()), statement.line, false);
        }
        session_.lastError = outcome.failed ? outcome.messages.front().number : 0;
        if (std::holds_alternative<UseStatement>(statement.body) && !outcome.failed) {
            changedDatabase = true;
        }
        result.statements.push_back(std::move(outcome));
        if (reach != Reach::Statement) {
            break;
        }
    }
    if (changedDatabase || session_.database != startDatabase) {
        result.newDatabase = session_.database;
    }
    return result;
}

// SQL Server compiles a whole batch before running it: errors in statements whose tables exist
// already stop the batch before anything runs; statements on tables yet to be created are
// resolved when they run.
void Executor::compile(const std::vector<Statement>& statements) {
    for (const Statement& statement : statements) {
        if (std::holds_alternative<UseStatement>(statement.body)) {
            return;
        }
        engine_.storage->startStatement();
        Binder binder(*engine_.storage, session_.database);
        try {
            std::visit(Overloaded{
                           [&](const SelectStatement& s) { binder.select(s); },
                           [&](const InsertStatement& s) { binder.insert(s); },
                           [&](const UpdateStatement& s) { binder.update(s); },
                           [&](const DeleteStatement& s) { binder.remove(s); },
                           [](const auto&) {},
                       },
                       statement.body);
        } catch (SqlError& error) {
            if (error.messages.front().number == 208) {
                continue;
            }
            for (auto& message : error.messages) {
                message.line = statement.line;
            }
            error.reach = Reach::WholeBatch;
            throw;
        }
    }
}

StatementResult Executor::execute(const Statement& statement) {
    return std::visit(
        Overloaded{
            [&](const SelectStatement& s) { return select(s); },
            [&](const InsertStatement& s) { return insert(s); },
            [&](const UpdateStatement& s) { return update(s); },
            [&](const DeleteStatement& s) { return remove(s); },
            [&](const CreateTableStatement& s) { return createTable(s); },
            [&](const DropTableStatement& s) { return dropTable(s); },
            [&](const CreateDatabaseStatement& s) { return createDatabase(s); },
            [&](const DropDatabaseStatement& s) { return dropDatabase(s); },
            [&](const UseStatement& s) { return use(s); },
            [&](const SetStatement& s) { return set(s); },
            [&](const ExecStatement& s) -> StatementResult { throw err::noProcedure(s.procedure); },
        },
        statement.body);
}

StatementResult Executor::changed(std::int64_t rows) const {
    StatementResult result;
    session_.lastRowCount = rows;
    if (!session_.noCount) {
        result.rowCount = rows;
    }
    return result;
}

ConstantContext Executor::constantContext() const {
    return {engine_.collation.get(),
            session_.database,
            session_.login,
            session_.spid,
            session_.lastRowCount,
            session_.lastError,
            now_};
}

StatementResult Executor::select(const SelectStatement& statement) {
    Binder binder(*engine_.storage, session_.database);
    SelectPlan plan = binder.select(statement);
    SqliteDb& db = engine_.storage->sql();
    sqlite3_stmt* query = db.prepare(plan.query.sql);
    const ConstantContext context = constantContext();
    bindSlots(query, plan.query.params, context);
    StatementResult result = changed(0);
    result.hasResultSet = true;
    result.columns = plan.columns;
    const int count = static_cast<int>(plan.columns.size());
    int rc;
    while ((rc = sqlite3_step(query)) == SQLITE_ROW) {
        Row row;
        row.reserve(plan.columns.size());
        for (int i = 0; i < count; ++i) {
            row.push_back(readValue(query, i, plan.columns[static_cast<std::size_t>(i)]));
        }
        result.rows.push_back(std::move(row));
    }
    sqlite3_reset(query);
    if (rc != SQLITE_DONE) {
        db.fail(rc);
    }
    auto rows = static_cast<std::int64_t>(result.rows.size());
    session_.lastRowCount = rows;
    if (!session_.noCount) {
        result.rowCount = rows;
    }
    return result;
}

void Executor::checkWrite(const char16_t* action, const Database& database, const TableDef* table,
                          const std::u16string& objectName) const {
    if (table == nullptr) {
        throw err::catalogUpdate();
    }
    if (session_.role == Role::Reader) {
        throw err::objectPermission(action, objectName, database.name);
    }
}

StatementResult Executor::insert(const InsertStatement& statement) {
    Binder binder(*engine_.storage, session_.database);
    InsertPlan plan = binder.insert(statement);
    const Database& database = *plan.target.database;
    checkWrite(u"INSERT", database, plan.target.table, plan.target.objectName);
    const TableDef& table = *plan.target.table;
    const Collation& collation = *engine_.collation;
    const ConstantContext context = constantContext();
    std::vector<std::vector<Param>> rows;
    for (const auto& values : statement.rows) {
        std::vector<Param> row(table.columns.size());
        for (std::size_t k = 0; k < values.size(); ++k) {
            auto c = static_cast<std::size_t>(plan.valueColumns[k]);
            row[c] = toStored(evaluate(*values[k], context), table.columns[c].column, collation);
        }
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            const Column& column = table.columns[c].column;
            if (std::holds_alternative<std::monostate>(row[c]) && !column.nullable) {
                throw err::nullNotAllowed(column.name, database.name + u".dbo." + table.name,
                                          false);
            }
        }
        rows.push_back(std::move(row));
    }
    std::string sql = "INSERT INTO " + quoteName(database.schema) + "." +
                      quoteName(toUtf8(table.name)) + " VALUES(";
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        sql += (c > 0 ? ", ?" : "?") + std::to_string(c + 1);
    }
    sql += ")";
    SqliteDb& db = engine_.storage->sql();
    sqlite3_stmt* insert = db.prepare(sql);
    Transaction transaction(db);
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            bindParam(insert, static_cast<int>(c + 1), row[c]);
        }
        int rc = step(insert);
        if (isKeyViolation(rc)) {
            throw err::duplicateKey(table.keyName, u"dbo." + table.name, keyText(table, row));
        }
        if (rc != SQLITE_DONE) {
            db.fail(rc);
        }
    }
    transaction.commit();
    return changed(static_cast<std::int64_t>(rows.size()));
}

StatementResult Executor::update(const UpdateStatement& statement) {
    Binder binder(*engine_.storage, session_.database);
    UpdatePlan plan = binder.update(statement);
    const Database& database = *plan.target.database;
    checkWrite(u"UPDATE", database, plan.target.table, plan.target.objectName);
    const TableDef& table = *plan.target.table;
    const Collation& collation = *engine_.collation;
    const ConstantContext context = constantContext();
    std::string sql =
        "UPDATE " + quoteName(database.schema) + "." + quoteName(toUtf8(table.name)) + " SET ";
    std::vector<Param> newValues(table.columns.size());
    std::vector<Param> setParams;
    for (std::size_t i = 0; i < plan.sets.size(); ++i) {
        const auto& set = plan.sets[i];
        const Column& column = table.columns[static_cast<std::size_t>(set.column)].column;
        sql += (i > 0 ? ", " : "") + quoteName(toUtf8(column.name)) + " = ";
        if (set.constant == nullptr) {
            sql += set.sourceSql;
            continue;
        }
        Param value = toStored(evaluate(*set.constant, context), column, collation);
        if (std::holds_alternative<std::monostate>(value) && !column.nullable) {
            throw err::nullNotAllowed(column.name, database.name + u".dbo." + table.name, true);
        }
        newValues[static_cast<std::size_t>(set.column)] = value;
        setParams.push_back(std::move(value));
        sql += "?" + std::to_string(plan.where.params.size() + setParams.size());
    }
    sql += plan.where.sql;
    SqliteDb& db = engine_.storage->sql();
    sqlite3_stmt* update = db.prepare(sql);
    bindSlots(update, plan.where.params, context);
    for (std::size_t i = 0; i < setParams.size(); ++i) {
        bindParam(update, static_cast<int>(plan.where.params.size() + i + 1), setParams[i]);
    }
    int rc = step(update);
    if (isKeyViolation(rc)) {
        throw err::duplicateKey(table.keyName, u"dbo." + table.name, keyText(table, newValues));
    }
    if (rc != SQLITE_DONE) {
        db.fail(rc);
    }
    return changed(sqlite3_changes(db.handle()));
}

StatementResult Executor::remove(const DeleteStatement& statement) {
    Binder binder(*engine_.storage, session_.database);
    DeletePlan plan = binder.remove(statement);
    const Database& database = *plan.target.database;
    checkWrite(u"DELETE", database, plan.target.table, plan.target.objectName);
    const TableDef& table = *plan.target.table;
    const ConstantContext context = constantContext();
    std::string sql = "DELETE FROM " + quoteName(database.schema) + "." +
                      quoteName(toUtf8(table.name)) + plan.where.sql;
    SqliteDb& db = engine_.storage->sql();
    sqlite3_stmt* remove = db.prepare(sql);
    bindSlots(remove, plan.where.params, context);
    int rc = step(remove);
    if (rc != SQLITE_DONE) {
        db.fail(rc);
    }
    return changed(sqlite3_changes(db.handle()));
}

} // namespace tdslite
