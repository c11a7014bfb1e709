#include "db/odbc_batch.h"

#include "db/database_error.h"
#include "db/odbc_diagnostics.h"
#include "db/odbc_text.h"
#include "db/result_fetch.h"

namespace {

// A guard against a driver that keeps answering: no batch of this program comes near it.
constexpr int kMostResults = 1'000'000;

const QString kNoMessage = QStringLiteral("The server failed the statement without a message");

SQLRETURN execute(const OdbcHandle& statement, const QString& sql) {
    return SQLExecDirectW(statement.get(), OdbcText(sql), static_cast<SQLINTEGER>(sql.size()));
}

bool hasColumns(const OdbcHandle& statement) {
    SQLSMALLINT columns = 0;
    return Succeeded(SQLNumResultCols(statement.get(), &columns)) && columns > 0;
}

std::int64_t rowsChangedBy(const OdbcHandle& statement) {
    if (hasColumns(statement))
        return 0;
    SQLLEN rows = -1;
    if (!Succeeded(SQLRowCount(statement.get(), &rows)) || rows < 0)
        return 0;
    return rows;
}

} // namespace

BatchOutcome RunBatch(const OdbcConnection& connection, const QString& sql) {
    const OdbcHandle statement = connection.statement();
    BatchOutcome outcome;
    // The first statement's "no rows" is a result like any other; only the walk's ends it.
    SQLRETURN code = execute(statement, sql);
    for (int results = 0; results < kMostResults;
         ++results, code = SQLMoreResults(statement.get())) {
        if (code == SQL_NO_DATA && results > 0)
            break;
        if (code == SQL_NO_DATA)
            continue;
        if (Succeeded(code)) {
            outcome.rowsChanged += rowsChangedBy(statement);
            continue;
        }
        if (code != SQL_ERROR)
            break; // nothing a plain batch can answer
        const QList<OdbcDiagnostic> records = Diagnostics(statement);
        if (!outcome.firstError)
            outcome.firstError = FailureText(records, kNoMessage);
        if (IsFatal(records))
            break;
    }
    return outcome;
}

ResultBuffer QueryBatch(const OdbcConnection& connection, const QString& sql) {
    const OdbcHandle statement = connection.statement();
    SQLRETURN code = execute(statement, sql);
    for (int results = 0; results < kMostResults;
         ++results, code = SQLMoreResults(statement.get())) {
        if (code == SQL_NO_DATA && results > 0)
            break;
        if (code == SQL_NO_DATA)
            continue;
        if (!Succeeded(code))
            throw DatabaseError(FailureText(statement, kNoMessage));
        if (hasColumns(statement))
            return FetchResult(statement);
    }
    throw DatabaseError(QStringLiteral("The SQL text returned no result set"));
}
