// Resolves the names of a statement against the databases and turns it into SQLite SQL.
#pragma once

#include "ast.h"
#include "source.h"
#include "storage.h"
#include "values.h"

#include <optional>
#include <string>
#include <vector>

namespace tdslite {

// A constant placed into generated SQL as a parameter, converted when the statement runs.
struct ParamSlot {
    const Expr* expr = nullptr;
    std::optional<Column> compareAs; // the column it is compared with, if any
};

struct BoundSql {
    std::string sql;
    std::vector<ParamSlot> params;
};

struct SelectPlan {
    BoundSql query;
    std::vector<Column> columns;
};

// The target of INSERT, UPDATE or DELETE.
struct TargetPlan {
    Database* database = nullptr;
    const TableDef* table = nullptr; // null for a catalogue view
    std::u16string objectName;       // as SQL Server names it in messages
};

struct InsertPlan {
    TargetPlan target;
    std::vector<int> valueColumns; // table column of each value position
};

struct UpdatePlan {
    TargetPlan target;
    struct Set {
        int column = 0;
        const Expr* constant = nullptr; // else `sourceSql` copies another column
        std::string sourceSql;
    };
    std::vector<Set> sets;
    BoundSql where; // " WHERE ..." or empty
};

struct DeletePlan {
    TargetPlan target;
    BoundSql where;
};

class Binder {
public:
    Binder(Storage& storage, std::u16string currentDatabase)
        : storage_(storage), currentDatabase_(std::move(currentDatabase)) {}

    SelectPlan select(const SelectStatement& statement);
    InsertPlan insert(const InsertStatement& statement);
    UpdatePlan update(const UpdateStatement& statement);
    DeletePlan remove(const DeleteStatement& statement);

    // Resolution of [db.][schema.]name; throws 208 with the name as written.
    Source resolve(const ObjectName& name, bool bare);
    Database& databaseFor(const ObjectName& name);

private:
    struct Operand {
        std::string sql;
        std::optional<Column> column; // set for a column reference
        const Expr* constant = nullptr;
    };

    TargetPlan target(const ObjectName& name, Source* source);
    void addSources(const FromNode& node, std::string& sql, BoundSql& out);
    std::string condition(const Expr& expr, BoundSql& out);
    std::string chain(const Expr& expr, const char* op, BoundSql& out);
    std::string comparison(const Expr& expr, BoundSql& out);
    Operand operand(const Expr& expr);
    std::string place(const Operand& operand, const std::optional<Column>& other, BoundSql& out);
    std::pair<std::size_t, std::size_t> findColumn(const std::vector<std::u16string>& parts);
    void selectItem(const SelectItem& item, std::string& sql, BoundSql& query,
                    std::vector<Column>& columns);

    Storage& storage_;
    std::u16string currentDatabase_;
    std::vector<Source> sources_;
};

bool isTextType(ColumnType type);

} // namespace tdslite
