// The statements of a parsed batch.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tdslite {

enum class ExprKind {
    Null,
    String,   // text: the literal's content
    NString,  // text: the literal's content
    Number,   // text: digits as written, with a leading '-' when negated
    Binary,   // text: hex digits
    Column,   // parts: [db.][schema.][table.]column
    Variable, // text: "@@version" and the like
    Function, // text: name; args; star for count(*)
    Compare,  // text: operator; args: left, right
    And,
    Or,
    Not,
    IsNull, // negated for IS NOT NULL
    Like,   // negated for NOT LIKE
};

struct Expr {
    ExprKind kind = ExprKind::Null;
    std::u16string text;
    std::vector<std::u16string> parts;
    std::vector<std::unique_ptr<Expr>> args;
    bool negated = false;
    bool star = false;
    int line = 1;
};
using ExprPtr = std::unique_ptr<Expr>;

struct ObjectName {
    std::vector<std::u16string> parts; // 1 to 3: [db.][schema.]name; an empty part means default
    std::u16string written() const;
};

enum class JoinKind { Inner, Left, Cross };

struct FromNode {
    // A table when `right` is empty, else a join of left and right.
    ObjectName table;
    std::u16string alias;
    std::unique_ptr<FromNode> left;
    std::unique_ptr<FromNode> right;
    JoinKind join = JoinKind::Inner;
    ExprPtr on;
};

struct SelectItem {
    enum class Kind { Star, QualifiedStar, Value } kind = Kind::Value;
    std::vector<std::u16string> qualifier;
    ExprPtr value;
    std::u16string alias;
};

struct OrderItem {
    ExprPtr value;
    bool descending = false;
};

struct SelectStatement {
    bool distinct = false;
    std::optional<std::int64_t> top;
    std::vector<SelectItem> items;
    std::unique_ptr<FromNode> from;
    ExprPtr where;
    std::vector<OrderItem> order;
};

struct InsertStatement {
    ObjectName table;
    bool hasColumnList = false;
    std::vector<std::u16string> columns;
    std::vector<std::vector<ExprPtr>> rows;
};

struct Assignment {
    std::vector<std::u16string> column;
    ExprPtr value;
};

struct UpdateStatement {
    ObjectName table;
    std::vector<Assignment> assignments;
    ExprPtr where;
};

struct DeleteStatement {
    ObjectName table;
    ExprPtr where;
};

struct ColumnSpec {
    std::u16string name;
    std::u16string typeName;
    std::vector<int> typeArgs;
    bool maxLength = false;
    std::optional<bool> nullable;
    bool primaryKey = false;
    std::u16string constraintName;
};

struct CreateTableStatement {
    ObjectName table;
    std::vector<ColumnSpec> columns;
    std::vector<std::u16string> tableKey; // PRIMARY KEY (a, b) as a table constraint
    std::u16string tableKeyName;
    int primaryKeyCount = 0;
};

struct DropTableStatement {
    std::vector<ObjectName> tables;
};

struct CreateDatabaseStatement {
    std::u16string name;
};

struct DropDatabaseStatement {
    std::vector<std::u16string> names;
};

struct UseStatement {
    std::u16string name;
};

struct SetStatement {
    std::u16string option;
    std::u16string value;
};

struct ExecStatement {
    std::u16string procedure;
};

using StatementBody =
    std::variant<SelectStatement, InsertStatement, UpdateStatement, DeleteStatement,
                 CreateTableStatement, DropTableStatement, CreateDatabaseStatement,
                 DropDatabaseStatement, UseStatement, SetStatement, ExecStatement>;

struct Statement {
    int line = 1;
    StatementBody body;
};

} // namespace tdslite
