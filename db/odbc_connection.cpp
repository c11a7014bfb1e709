#include "db/odbc_connection.h"

#include "db/database_error.h"
#include "db/odbc_diagnostics.h"
#include "db/odbc_text.h"

namespace {

// The time-outs the SQL Server OLE DB provider uses unless told otherwise.
constexpr SQLULEN kLoginTimeoutSeconds = 15;
constexpr SQLULEN kStatementTimeoutSeconds = 30;

SQLPOINTER number(SQLULEN value) {
    return reinterpret_cast<SQLPOINTER>(value);
}

} // namespace

OdbcConnection::OdbcConnection(const QString& odbcConnectionString)
    : environment_(SQL_HANDLE_ENV, SQL_NULL_HANDLE) {
    SQLSetEnvAttr(environment_.get(), SQL_ATTR_ODBC_VERSION, number(SQL_OV_ODBC3), 0);
    connection_ = OdbcHandle(SQL_HANDLE_DBC, environment_.get());
    SQLSetConnectAttrW(connection_.get(), SQL_ATTR_LOGIN_TIMEOUT, number(kLoginTimeoutSeconds), 0);
    SQLSetConnectAttrW(connection_.get(), SQL_ATTR_CONNECTION_TIMEOUT, number(kLoginTimeoutSeconds),
                       0);
    if (odbcConnectionString.size() > 32767)
        throw DatabaseError(QStringLiteral("The connection string is too long"));
    SQLWCHAR completed[1024];
    SQLSMALLINT completedLength = 0;
    const SQLRETURN code =
        SQLDriverConnectW(connection_.get(), nullptr, OdbcText(odbcConnectionString),
                          static_cast<SQLSMALLINT>(odbcConnectionString.size()), completed, 1024,
                          &completedLength, SQL_DRIVER_NOPROMPT);
    if (!Succeeded(code))
        throw DatabaseError(
            FailureText(connection_, QStringLiteral("Cannot connect to the database server")));
    connection_.markConnected();
}

OdbcHandle OdbcConnection::statement() const {
    OdbcHandle statement(SQL_HANDLE_STMT, connection_.get());
    SQLSetStmtAttrW(statement.get(), SQL_ATTR_CURSOR_TYPE, number(SQL_CURSOR_FORWARD_ONLY), 0);
    SQLSetStmtAttrW(statement.get(), SQL_ATTR_CONCURRENCY, number(SQL_CONCUR_READ_ONLY), 0);
    SQLSetStmtAttrW(statement.get(), SQL_ATTR_NOSCAN, number(SQL_NOSCAN_ON), 0);
    SQLSetStmtAttrW(statement.get(), SQL_ATTR_QUERY_TIMEOUT, number(kStatementTimeoutSeconds), 0);
    return statement;
}
