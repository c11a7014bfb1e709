// A table, or a catalogue view, as the FROM clause of a generated SQLite query sees it.
#pragma once

#include "engine.h"

#include <string>
#include <vector>

namespace tdslite {

struct Database;
struct TableDef;

struct Source {
    // Folded parts a column qualifier may name: {db, schema, table}, or {alias}.
    std::vector<std::u16string> names;
    bool aliased = false;
    std::string alias;   // SQL alias in the generated query; empty to name columns bare
    std::string fromSql; // a table name or a parenthesised query
    std::vector<Column> columns;
    std::vector<std::string> columnSql; // quoted SQLite column names
    Database* database = nullptr;
    const TableDef* table = nullptr; // null for a catalogue view

    std::string columnRef(std::size_t index) const {
        return alias.empty() ? columnSql[index] : alias + "." + columnSql[index];
    }
};

// Catalogue views of a database: dbo.sysobjects, dbo.sysdatabases and the INFORMATION_SCHEMA
// views. False when `schema.name` is none of them.
bool catalogSource(std::u16string_view schema, std::u16string_view name, Database& database,
                   Source* source);

} // namespace tdslite
