#include "binder.h"

#include "datetime.h"
#include "errors.h"
#include "unicode.h"

#include <algorithm>

namespace tdslite {

namespace {

std::u16string joined(const std::vector<std::u16string>& parts) {
    std::u16string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        out += (i > 0 ? u"." : u"") + parts[i];
    }
    return out;
}

bool qualifierMatches(const Source& source, const std::vector<std::u16string>& qualifier) {
    if (source.aliased) {
        return qualifier.size() == 1 && foldName(qualifier[0]) == source.names[0];
    }
    if (qualifier.size() > source.names.size()) {
        return false;
    }
    std::size_t offset = source.names.size() - qualifier.size();
    for (std::size_t k = 0; k < qualifier.size(); ++k) {
        if (!qualifier[k].empty() && foldName(qualifier[k]) != source.names[offset + k]) {
            return false;
        }
    }
    return true;
}

std::string placeholder(BoundSql& out, const Expr* constant, std::optional<Column> compareAs) {
    out.params.push_back({constant, std::move(compareAs)});
    return "?" + std::to_string(out.params.size());
}

const char* sqlOperator(std::u16string_view op) {
    if (op == u"=") {
        return "=";
    }
    if (op == u"<>" || op == u"!=") {
        return "<>";
    }
    if (op == u"<") {
        return "<";
    }
    if (op == u"<=" || op == u"!>") {
        return "<=";
    }
    if (op == u">") {
        return ">";
    }
    return ">=";
}

bool isTextConstant(const Expr& expr) {
    return expr.kind == ExprKind::String || expr.kind == ExprKind::NString;
}

std::string collated() {
    return std::string(" COLLATE ") + kCollateName;
}

} // namespace

bool isTextType(ColumnType type) {
    return type == ColumnType::NVarChar || type == ColumnType::Char || type == ColumnType::Text;
}

Database& Binder::databaseFor(const ObjectName& name) {
    std::u16string databaseName = currentDatabase_;
    if (name.parts.size() == 3 && !name.parts[0].empty()) {
        databaseName = name.parts[0];
    }
    Database* database = storage_.find(databaseName);
    if (database == nullptr) {
        throw err::invalidObject(name.written());
    }
    return storage_.open(*database);
}

Source Binder::resolve(const ObjectName& name, bool bare) {
    Database& database = databaseFor(name);
    std::u16string schema = u"dbo";
    if (name.parts.size() >= 2 && !name.parts[name.parts.size() - 2].empty()) {
        schema = name.parts[name.parts.size() - 2];
    }
    const std::u16string& objectName = name.parts.back();
    Source source;
    const TableDef* table = isWord(schema, "DBO") ? database.findTable(objectName) : nullptr;
    if (table != nullptr) {
        source.database = &database;
        source.table = table;
        source.fromSql = quoteName(database.schema) + "." + quoteName(toUtf8(table->name));
        for (const ColumnDef& column : table->columns) {
            source.columns.push_back(column.column);
            source.columnSql.push_back(quoteName(toUtf8(column.column.name)));
        }
        source.names = {foldName(database.name), u"dbo", foldName(table->name)};
    } else if (catalogSource(schema, objectName, database, &source)) {
        source.names = {foldName(database.name), foldName(schema), foldName(objectName)};
    } else {
        throw err::invalidObject(name.written());
    }
    if (!bare) {
        source.alias = "t" + std::to_string(sources_.size());
    }
    return source;
}

std::pair<std::size_t, std::size_t> Binder::findColumn(const std::vector<std::u16string>& parts) {
    std::vector<std::u16string> qualifier(parts.begin(), parts.end() - 1);
    const std::u16string& name = parts.back();
    bool qualifierFound = false;
    std::vector<std::pair<std::size_t, std::size_t>> matches;
    for (std::size_t s = 0; s < sources_.size(); ++s) {
        if (!qualifier.empty() && !qualifierMatches(sources_[s], qualifier)) {
            continue;
        }
        qualifierFound = true;
        for (std::size_t c = 0; c < sources_[s].columns.size(); ++c) {
            if (equalsNoCase(sources_[s].columns[c].name, name)) {
                matches.emplace_back(s, c);
            }
        }
    }
    if (matches.size() == 1) {
        return matches[0];
    }
    if (matches.size() > 1) {
        throw err::ambiguousColumn(name);
    }
    if (!qualifier.empty() && !qualifierFound) {
        throw err::unboundIdentifier(joined(parts));
    }
    throw err::invalidColumn(name);
}

Binder::Operand Binder::operand(const Expr& expr) {
    Operand result;
    if (expr.kind == ExprKind::Column) {
        auto [s, c] = findColumn(expr.parts);
        result.sql = sources_[s].columnRef(c);
        result.column = sources_[s].columns[c];
        return result;
    }
    if (!isConstant(expr)) {
        throw err::unsupported(u"this expression here");
    }
    checkConstant(expr);
    result.constant = &expr;
    return result;
}

std::string Binder::place(const Operand& operand, const std::optional<Column>& other,
                          BoundSql& out) {
    if (operand.constant != nullptr) {
        return placeholder(out, operand.constant, other);
    }
    return operand.sql;
}

std::string Binder::comparison(const Expr& expr, BoundSql& out) {
    Operand left = operand(*expr.args[0]);
    Operand right = operand(*expr.args[1]);
    bool textual = (left.column && isTextType(left.column->type)) ||
                   (right.column && isTextType(right.column->type)) ||
                   (left.constant && right.constant &&
                    (isTextConstant(*left.constant) || isTextConstant(*right.constant)));
    std::string sql = "(" + place(left, right.column, out) + " " + sqlOperator(expr.text) + " " +
                      place(right, left.column, out);
    return sql + (textual ? collated() : std::string()) + ")";
}

// A chain of ANDs or ORs as one flat list: SQLite's parser takes little nesting.
std::string Binder::chain(const Expr& expr, const char* op, BoundSql& out) {
    std::vector<const Expr*> terms;
    const Expr* left = &expr;
    while (left->kind == expr.kind) {
        terms.push_back(left->args[1].get());
        left = left->args[0].get();
    }
    terms.push_back(left);
    std::string sql = "(";
    for (auto term = terms.rbegin(); term != terms.rend(); ++term) {
        sql += (term == terms.rbegin() ? "" : op) + condition(**term, out);
    }
    return sql + ")";
}

std::string Binder::condition(const Expr& expr, BoundSql& out) {
    switch (expr.kind) {
    case ExprKind::And:
        return chain(expr, " AND ", out);
    case ExprKind::Or:
        return chain(expr, " OR ", out);
    case ExprKind::Not:
        return "(NOT " + condition(*expr.args[0], out) + ")";
    case ExprKind::Compare:
        return comparison(expr, out);
    case ExprKind::IsNull:
        return "(" + place(operand(*expr.args[0]), std::nullopt, out) +
               (expr.negated ? " IS NOT NULL)" : " IS NULL)");
    case ExprKind::Like: {
        Operand left = operand(*expr.args[0]);
        Operand right = operand(*expr.args[1]);
        std::string sql = "(" + place(left, std::nullopt, out);
        sql += expr.negated ? " NOT LIKE " : " LIKE ";
        return sql + place(right, std::nullopt, out) + ")";
    }
    default:
        throw err::unsupported(u"this condition");
    }
}

void Binder::addSources(const FromNode& node, std::string& sql, BoundSql& out) {
    if (!node.right) {
        Source source = resolve(node.table, false);
        if (!node.alias.empty()) {
            source.aliased = true;
            source.names = {foldName(node.alias)};
        }
        sql += source.fromSql + " AS " + source.alias;
        sources_.push_back(std::move(source));
        return;
    }
    addSources(*node.left, sql, out);
    switch (node.join) {
    case JoinKind::Inner:
        sql += " INNER JOIN ";
        break;
    case JoinKind::Left:
        sql += " LEFT JOIN ";
        break;
    case JoinKind::Cross:
        sql += " CROSS JOIN ";
        break;
    }
    std::size_t firstRight = sources_.size();
    bool nested = static_cast<bool>(node.right->right);
    sql += nested ? "(" : "";
    addSources(*node.right, sql, out);
    sql += nested ? ")" : "";
    if (node.join == JoinKind::Left) {
        for (std::size_t s = firstRight; s < sources_.size(); ++s) {
            for (auto& column : sources_[s].columns) {
                column.nullable = true;
            }
        }
    }
    if (node.on) {
        sql += " ON " + condition(*node.on, out);
    }
}

void Binder::selectItem(const SelectItem& item, std::string& sql, BoundSql& query,
                        std::vector<Column>& columns) {
    auto emit = [&](const std::string& expression, Column column) {
        sql += (columns.empty() ? "" : ", ") + expression;
        columns.push_back(std::move(column));
    };
    if (item.kind != SelectItem::Kind::Value) {
        if (sources_.empty()) {
            throw err::noTableToSelectFrom();
        }
        bool found = false;
        for (const Source& source : sources_) {
            if (item.kind == SelectItem::Kind::QualifiedStar &&
                !qualifierMatches(source, item.qualifier)) {
                continue;
            }
            found = true;
            for (std::size_t c = 0; c < source.columns.size(); ++c) {
                emit(source.columnRef(c), source.columns[c]);
            }
        }
        if (!found) {
            throw err::unboundIdentifier(joined(item.qualifier));
        }
        return;
    }
    const Expr& value = *item.value;
    if (value.kind == ExprKind::Function && isWord(value.text, "COUNT")) {
        Column column;
        column.name = item.alias;
        column.type = ColumnType::Int;
        column.nullable = false;
        if (value.star) {
            emit("count(*)", column);
        } else if (value.args.size() == 1) {
            emit("count(" + operand(*value.args[0]).sql + ")", column);
        } else {
            throw err::unknownFunction(value.text);
        }
        return;
    }
    Operand result = operand(value);
    if (result.column) {
        Column column = *result.column;
        if (!item.alias.empty()) {
            column.name = item.alias;
        }
        emit(result.sql, column);
        return;
    }
    ConstantContext context;
    context.collation = &storage_.collation();
    Column column = literalColumn(evaluate(value, context));
    if ((value.kind == ExprKind::Variable || value.kind == ExprKind::Function) &&
        column.type == ColumnType::NVarChar) {
        column.length = std::max(column.length, 256);
    }
    column.name = item.alias;
    emit(placeholder(query, &value, std::nullopt), column);
}

SelectPlan Binder::select(const SelectStatement& statement) {
    sources_.clear();
    SelectPlan plan;
    std::string from;
    if (statement.from) {
        addSources(*statement.from, from, plan.query);
    }
    std::string items;
    for (const SelectItem& item : statement.items) {
        selectItem(item, items, plan.query, plan.columns);
    }
    std::string sql = statement.distinct ? "SELECT DISTINCT " : "SELECT ";
    sql += items;
    if (!from.empty()) {
        sql += " FROM " + from;
    }
    if (statement.where) {
        sql += " WHERE " + condition(*statement.where, plan.query);
    }
    for (std::size_t i = 0; i < statement.order.size(); ++i) {
        const OrderItem& order = statement.order[i];
        sql += i == 0 ? " ORDER BY " : ", ";
        if (order.value->kind == ExprKind::Number) {
            sql += toUtf8(order.value->text);
        } else {
            Operand result = operand(*order.value);
            sql += place(result, std::nullopt, plan.query);
            if (result.column && isTextType(result.column->type)) {
                sql += collated();
            }
        }
        sql += order.descending ? " DESC" : "";
    }
    if (statement.top) {
        sql += " LIMIT " + std::to_string(*statement.top);
    }
    plan.query.sql = std::move(sql);
    return plan;
}

TargetPlan Binder::target(const ObjectName& name, Source* source) {
    sources_.clear();
    *source = resolve(name, true);
    sources_.push_back(*source);
    TargetPlan plan;
    plan.database = source->database;
    plan.table = source->table;
    plan.objectName = source->table ? source->table->name : name.parts.back();
    return plan;
}

InsertPlan Binder::insert(const InsertStatement& statement) {
    Source source;
    InsertPlan plan;
    plan.target = target(statement.table, &source);
    if (statement.hasColumnList) {
        for (const std::u16string& name : statement.columns) {
            int index = -1;
            for (std::size_t c = 0; c < source.columns.size(); ++c) {
                if (equalsNoCase(source.columns[c].name, name)) {
                    index = static_cast<int>(c);
                }
            }
            if (index < 0) {
                throw err::invalidColumn(name);
            }
            if (std::find(plan.valueColumns.begin(), plan.valueColumns.end(), index) !=
                plan.valueColumns.end()) {
                throw err::duplicateColumnInList(
                    source.columns[static_cast<std::size_t>(index)].name);
            }
            plan.valueColumns.push_back(index);
        }
    } else {
        for (std::size_t c = 0; c < source.columns.size(); ++c) {
            plan.valueColumns.push_back(static_cast<int>(c));
        }
    }
    for (const auto& row : statement.rows) {
        if (row.size() != plan.valueColumns.size()) {
            if (!statement.hasColumnList) {
                throw err::insertArity();
            }
            throw row.size() < plan.valueColumns.size() ? err::insertMoreColumns()
                                                        : err::insertFewerColumns();
        }
        for (const ExprPtr& value : row) {
            if (value->kind == ExprKind::Column) {
                throw err::columnNotPermitted(joined(value->parts));
            }
            if (!isConstant(*value)) {
                throw err::unsupported(u"this expression in VALUES");
            }
            checkConstant(*value);
        }
    }
    return plan;
}

UpdatePlan Binder::update(const UpdateStatement& statement) {
    Source source;
    UpdatePlan plan;
    plan.target = target(statement.table, &source);
    for (const Assignment& assignment : statement.assignments) {
        auto [s, column] = findColumn(assignment.column);
        (void)s;
        for (const auto& set : plan.sets) {
            if (set.column == static_cast<int>(column)) {
                throw err::duplicateColumnInList(source.columns[column].name);
            }
        }
        UpdatePlan::Set set;
        set.column = static_cast<int>(column);
        Operand value = operand(*assignment.value);
        if (value.constant != nullptr) {
            set.constant = value.constant;
        } else {
            set.sourceSql = value.sql;
        }
        plan.sets.push_back(std::move(set));
    }
    if (statement.where) {
        plan.where.sql = " WHERE " + condition(*statement.where, plan.where);
    }
    return plan;
}

DeletePlan Binder::remove(const DeleteStatement& statement) {
    Source source;
    DeletePlan plan;
    plan.target = target(statement.table, &source);
    if (statement.where) {
        plan.where.sql = " WHERE " + condition(*statement.where, plan.where);
    }
    return plan;
}

} // namespace tdslite
