#include "db/result_fetch.h"

#include "db/database_error.h"
#include "db/odbc_diagnostics.h"
#include "db/odbc_text.h"

#include <algorithm>

namespace {

constexpr std::size_t kFirstTextChunk = 4096;
constexpr std::size_t kFirstBinaryChunk = 64 * 1024;

struct TypeOfColumn {
    ColumnKind kind;
    const char* name;
};

TypeOfColumn typeOf(SQLSMALLINT sqlType) {
    switch (sqlType) {
    case SQL_BINARY:
        return {ColumnKind::Binary, "binary"};
    case SQL_VARBINARY:
        return {ColumnKind::Binary, "varbinary"};
    case SQL_LONGVARBINARY:
        return {ColumnKind::Binary, "image"};
    case SQL_BIT:
        return {ColumnKind::Integer, "bit"};
    case SQL_TINYINT:
        return {ColumnKind::Integer, "tinyint"};
    case SQL_SMALLINT:
        return {ColumnKind::Integer, "smallint"};
    case SQL_INTEGER:
        return {ColumnKind::Integer, "int"};
    case SQL_BIGINT:
        return {ColumnKind::Integer, "bigint"};
    case SQL_DECIMAL:
    case SQL_NUMERIC:
        return {ColumnKind::Number, "decimal"};
    case SQL_REAL:
        return {ColumnKind::Number, "real"};
    case SQL_FLOAT:
    case SQL_DOUBLE:
        return {ColumnKind::Number, "float"};
    case SQL_CHAR:
        return {ColumnKind::Text, "char"};
    case SQL_VARCHAR:
        return {ColumnKind::Text, "varchar"};
    case SQL_LONGVARCHAR:
        return {ColumnKind::Text, "text"};
    case SQL_WCHAR:
        return {ColumnKind::Text, "nchar"};
    case SQL_WLONGVARCHAR:
        return {ColumnKind::Text, "ntext"};
    case SQL_TYPE_DATE:
        return {ColumnKind::Text, "date"};
    case SQL_TYPE_TIME:
        return {ColumnKind::Text, "time"};
    case SQL_TYPE_TIMESTAMP:
        return {ColumnKind::Text, "datetime"};
    case SQL_GUID:
        return {ColumnKind::Text, "uniqueidentifier"};
    default:
        return {ColumnKind::Text, "nvarchar"};
    }
}

[[noreturn]] void failed(const OdbcHandle& statement) {
    throw DatabaseError(
        FailureText(statement, QStringLiteral("The server ended the result unexpectedly")));
}

struct ColumnPlan {
    SQLSMALLINT cType;
    std::size_t terminator; // the bytes the driver adds after text
    std::size_t firstChunk;
};

ResultColumn describe(const OdbcHandle& statement, SQLUSMALLINT number, ColumnPlan& plan) {
    SQLWCHAR name[256];
    SQLSMALLINT nameLength = 0;
    SQLSMALLINT sqlType = 0;
    SQLULEN size = 0;
    SQLSMALLINT digits = 0;
    SQLSMALLINT nullable = 0;
    if (!Succeeded(SQLDescribeColW(statement.get(), number, name, 256, &nameLength, &sqlType, &size,
                                   &digits, &nullable)))
        failed(statement);
    const TypeOfColumn type = typeOf(sqlType);
    const bool binary = type.kind == ColumnKind::Binary;
    plan.cType = binary ? SQL_C_BINARY : SQL_C_WCHAR;
    plan.terminator = binary ? 0 : sizeof(SQLWCHAR);
    // Room for the whole value of a short column in one call; long columns say their length
    // in the first call and the second takes the rest.
    const std::size_t fitting = binary ? size : (size + 1) * sizeof(SQLWCHAR);
    plan.firstChunk =
        std::clamp<std::size_t>(fitting, 16, binary ? kFirstBinaryChunk : kFirstTextChunk);
    return {FromOdbc(name, std::min<SQLSMALLINT>(nameLength, 255)), type.kind,
            QString::fromLatin1(type.name)};
}

void fetchCell(const OdbcHandle& statement, SQLUSMALLINT number, const ColumnPlan& plan,
               ResultBuffer& buffer) {
    buffer.beginCell();
    std::size_t held = 0;
    std::size_t chunk = plan.firstChunk;
    for (;;) {
        char* room = buffer.extendCell(chunk);
        SQLLEN indicator = 0;
        const SQLRETURN code = SQLGetData(statement.get(), number, plan.cType, room,
                                          static_cast<SQLLEN>(chunk), &indicator);
        if (code == SQL_NO_DATA)
            break;
        if (!Succeeded(code))
            failed(statement);
        if (indicator == SQL_NULL_DATA) {
            buffer.endNullCell();
            return;
        }
        const bool complete =
            code == SQL_SUCCESS || (indicator != SQL_NO_TOTAL &&
                                    static_cast<std::size_t>(indicator) + plan.terminator <= chunk);
        if (complete) {
            held += static_cast<std::size_t>(indicator);
            break;
        }
        const std::size_t got = chunk - plan.terminator;
        held += got;
        buffer.setCellSize(held);
        chunk = indicator == SQL_NO_TOTAL
                    ? chunk * 2
                    : static_cast<std::size_t>(indicator) - got + plan.terminator;
    }
    buffer.setCellSize(held);
    buffer.endCell();
}

} // namespace

ResultBuffer FetchResult(const OdbcHandle& statement) {
    SQLSMALLINT columnCount = 0;
    if (!Succeeded(SQLNumResultCols(statement.get(), &columnCount)))
        failed(statement);
    ResultBuffer buffer;
    std::vector<ColumnPlan> plans(static_cast<std::size_t>(columnCount));
    for (SQLSMALLINT column = 0; column < columnCount; ++column)
        buffer.addColumn(describe(statement, static_cast<SQLUSMALLINT>(column + 1),
                                  plans[static_cast<std::size_t>(column)]));
    for (;;) {
        const SQLRETURN code = SQLFetch(statement.get());
        if (code == SQL_NO_DATA) {
            buffer.finish();
            return buffer;
        }
        if (!Succeeded(code))
            failed(statement);
        for (SQLSMALLINT column = 0; column < columnCount; ++column)
            fetchCell(statement, static_cast<SQLUSMALLINT>(column + 1),
                      plans[static_cast<std::size_t>(column)], buffer);
    }
}
