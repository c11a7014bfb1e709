#include "source.h"

#include "sqlite_db.h"
#include "storage.h"
#include "unicode.h"

namespace tdslite {

namespace {

struct ViewColumn {
    const char16_t* name;
    ColumnType type;
    int length;
    const char* expression; // SQL over the catalogue tables
};

Column makeColumn(const ViewColumn& view) {
    Column column;
    column.name = view.name;
    column.type = view.type;
    column.length = view.length;
    column.nullable = true;
    return column;
}

void fill(Source* source, const std::vector<ViewColumn>& columns, const std::string& from) {
    std::string sql = "(SELECT ";
    for (std::size_t i = 0; i < columns.size(); ++i) {
        std::string name = toUtf8(columns[i].name);
        sql += (i > 0 ? ", " : "") + std::string(columns[i].expression) + " AS " + quoteName(name);
        source->columns.push_back(makeColumn(columns[i]));
        source->columnSql.push_back(quoteName(name));
    }
    source->fromSql = sql + " FROM " + from + ")";
}

constexpr auto N = ColumnType::NVarChar;
constexpr auto C = ColumnType::Char;
constexpr auto I = ColumnType::Int;
constexpr auto S = ColumnType::SmallInt;
constexpr auto T = ColumnType::TinyInt;
constexpr auto D = ColumnType::DateTime;

void sysdatabases(Source* source) {
    fill(source,
         {{u"name", N, 128, "name"},
          {u"dbid", S, 0, "dbid"},
          {u"sid", ColumnType::Image, 0, "sid"},
          {u"mode", S, 0, "mode"},
          {u"status", I, 0, "status"},
          {u"status2", I, 0, "status2"},
          {u"crdate", D, 0, "crdate"},
          {u"reserved", D, 0, "reserved"},
          {u"category", I, 0, "category"},
          {u"cmptlevel", T, 0, "cmptlevel"},
          {u"filename", N, 260, "filename"},
          {u"version", S, 0, "version"}},
         Storage::kDatabasesTable);
}

void sysobjects(Source* source, const std::string& schema) {
    fill(source,
         {{u"name", N, 128, "name"},
          {u"id", I, 0, "id"},
          {u"xtype", C, 2, "xtype"},
          {u"uid", S, 0, "1"},
          {u"info", S, 0, "0"},
          {u"status", I, 0, "0"},
          {u"base_schema_ver", I, 0, "0"},
          {u"replinfo", I, 0, "0"},
          {u"parent_obj", I, 0, "parent_obj"},
          {u"crdate", D, 0, "crdate"},
          {u"ftcatid", S, 0, "0"},
          {u"schema_ver", I, 0, "0"},
          {u"stats_schema_ver", I, 0, "0"},
          {u"type", C, 2, "CASE xtype WHEN 'PK' THEN 'K ' ELSE xtype END"},
          {u"userstat", S, 0, "CASE xtype WHEN 'U ' THEN 1 ELSE 0 END"},
          {u"sysstat", S, 0, "CASE xtype WHEN 'U ' THEN 3 ELSE 9 END"},
          {u"indexdel", S, 0, "0"},
          {u"refdate", D, 0, "crdate"},
          {u"version", I, 0, "0"},
          {u"deltrig", I, 0, "0"},
          {u"instrig", I, 0, "0"},
          {u"updtrig", I, 0, "0"},
          {u"seltrig", I, 0, "0"},
          {u"category", I, 0, "0"},
          {u"cache", S, 0, "0"}},
         schema + ".\"__tdslite_objects\"");
}

void tables(Source* source, const std::string& schema, const std::string& catalog) {
    fill(source,
         {{u"TABLE_CATALOG", N, 128, catalog.c_str()},
          {u"TABLE_SCHEMA", N, 128, "'dbo'"},
          {u"TABLE_NAME", N, 128, "name"},
          {u"TABLE_TYPE", N, 10, "'BASE TABLE'"}},
         schema + ".\"__tdslite_objects\" WHERE xtype = 'U '");
}

void tableConstraints(Source* source, const std::string& schema, const std::string& catalog) {
    fill(source,
         {{u"CONSTRAINT_CATALOG", N, 128, catalog.c_str()},
          {u"CONSTRAINT_SCHEMA", N, 128, "'dbo'"},
          {u"CONSTRAINT_NAME", N, 128, "k.name"},
          {u"TABLE_CATALOG", N, 128, catalog.c_str()},
          {u"TABLE_SCHEMA", N, 128, "'dbo'"},
          {u"TABLE_NAME", N, 128, "t.name"},
          {u"CONSTRAINT_TYPE", N, 11, "'PRIMARY KEY'"},
          {u"IS_DEFERRABLE", N, 2, "'NO'"},
          {u"INITIALLY_DEFERRED", N, 2, "'NO'"}},
         schema + ".\"__tdslite_objects\" AS k JOIN " + schema +
             ".\"__tdslite_objects\" AS t ON t.id = k.parent_obj WHERE k.xtype = 'PK'");
}

void keyColumnUsage(Source* source, const std::string& schema, const std::string& catalog) {
    fill(source,
         {{u"CONSTRAINT_CATALOG", N, 128, catalog.c_str()},
          {u"CONSTRAINT_SCHEMA", N, 128, "'dbo'"},
          {u"CONSTRAINT_NAME", N, 128, "k.name"},
          {u"TABLE_CATALOG", N, 128, catalog.c_str()},
          {u"TABLE_SCHEMA", N, 128, "'dbo'"},
          {u"TABLE_NAME", N, 128, "t.name"},
          {u"COLUMN_NAME", N, 128, "c.name"},
          {u"ORDINAL_POSITION", I, 0, "c.key_ordinal"}},
         schema + ".\"__tdslite_objects\" AS k JOIN " + schema +
             ".\"__tdslite_objects\" AS t ON t.id = k.parent_obj JOIN " + schema +
             ".\"__tdslite_columns\" AS c ON c.object_id = t.id AND c.key_ordinal > 0"
             " WHERE k.xtype = 'PK'");
}

void columns(Source* source, const std::string& schema, const std::string& catalog) {
    fill(source,
         {{u"TABLE_CATALOG", N, 128, catalog.c_str()},
          {u"TABLE_SCHEMA", N, 128, "'dbo'"},
          {u"TABLE_NAME", N, 128, "t.name"},
          {u"COLUMN_NAME", N, 128, "c.name"},
          {u"ORDINAL_POSITION", I, 0, "c.ordinal"},
          {u"COLUMN_DEFAULT", N, 4000, "NULL"},
          {u"IS_NULLABLE", N, 3, "CASE c.nullable WHEN 0 THEN 'NO' ELSE 'YES' END"},
          {u"DATA_TYPE", N, 128, "c.type"},
          {u"CHARACTER_MAXIMUM_LENGTH", I, 0,
           "CASE WHEN c.type IN ('nvarchar', 'char') THEN c.length"
           " WHEN c.type IN ('text', 'image') THEN 2147483647 END"},
          {u"NUMERIC_PRECISION", T, 0,
           "CASE c.type WHEN 'decimal' THEN c.precision WHEN 'int' THEN 10"
           " WHEN 'smallint' THEN 5 WHEN 'tinyint' THEN 3 END"},
          {u"NUMERIC_SCALE", I, 0,
           "CASE WHEN c.type = 'decimal' THEN c.scale"
           " WHEN c.type IN ('int', 'smallint', 'tinyint') THEN 0 END"},
          {u"DATETIME_PRECISION", S, 0, "CASE c.type WHEN 'datetime' THEN 3 END"}},
         schema + ".\"__tdslite_objects\" AS t JOIN " + schema +
             ".\"__tdslite_columns\" AS c ON c.object_id = t.id WHERE t.xtype = 'U '");
}

} // namespace

bool catalogSource(std::u16string_view schema, std::u16string_view name, Database& database,
                   Source* source) {
    std::string sqlSchema = quoteName(database.schema);
    std::string catalog = quoteText(toUtf8(database.name));
    bool dbo = isWord(schema, "DBO") || isWord(schema, "SYS");
    if (dbo && isWord(name, "SYSDATABASES")) {
        sysdatabases(source);
    } else if (dbo && isWord(name, "SYSOBJECTS")) {
        sysobjects(source, sqlSchema);
    } else if (!isWord(schema, "INFORMATION_SCHEMA")) {
        return false;
    } else if (isWord(name, "TABLES")) {
        tables(source, sqlSchema, catalog);
    } else if (isWord(name, "TABLE_CONSTRAINTS")) {
        tableConstraints(source, sqlSchema, catalog);
    } else if (isWord(name, "KEY_COLUMN_USAGE")) {
        keyColumnUsage(source, sqlSchema, catalog);
    } else if (isWord(name, "COLUMNS")) {
        columns(source, sqlSchema, catalog);
    } else {
        return false;
    }
    source->database = &database;
    return true;
}

} // namespace tdslite
