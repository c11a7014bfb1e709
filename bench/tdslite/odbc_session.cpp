#include "odbc_session.h"

#include <array>
#include <stdexcept>
#include <vector>

namespace tdslite::bench {
namespace {

std::vector<SQLWCHAR> wide(const std::u16string& text) {
    std::vector<SQLWCHAR> buffer(text.begin(), text.end());
    buffer.push_back(0);
    return buffer;
}

std::string firstDiagnostic(SQLSMALLINT type, SQLHANDLE handle) {
    std::array<SQLCHAR, 6> state{};
    std::array<SQLCHAR, 1024> message{};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    SQLGetDiagRecA(type, handle, 1, state.data(), &native, message.data(), message.size(), &length);
    return std::string(reinterpret_cast<char*>(message.data()));
}

} // namespace

OdbcSession::OdbcSession(const std::string& connectionString) {
    SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment_);
    SQLSetEnvAttr(environment_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3),
                  0);
    SQLAllocHandle(SQL_HANDLE_DBC, environment_, &connection_);
    auto text = wide(std::u16string(connectionString.begin(), connectionString.end()));
    SQLRETURN status = SQLDriverConnectW(connection_, nullptr, text.data(), SQL_NTS, nullptr, 0,
                                         nullptr, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(status)) {
        throw std::runtime_error("connect failed: " + firstDiagnostic(SQL_HANDLE_DBC, connection_));
    }
    SQLAllocHandle(SQL_HANDLE_STMT, connection_, &statement_);
}

OdbcSession::~OdbcSession() {
    SQLFreeHandle(SQL_HANDLE_STMT, statement_);
    SQLDisconnect(connection_);
    SQLFreeHandle(SQL_HANDLE_DBC, connection_);
    SQLFreeHandle(SQL_HANDLE_ENV, environment_);
}

void OdbcSession::run(const std::u16string& sql) {
    auto text = wide(sql);
    SQLRETURN status = SQLExecDirectW(statement_, text.data(), SQL_NTS);
    if (!SQL_SUCCEEDED(status) && status != SQL_NO_DATA) {
        throw std::runtime_error("statement failed: " +
                                 firstDiagnostic(SQL_HANDLE_STMT, statement_));
    }
    while (SQL_SUCCEEDED(SQLMoreResults(statement_))) {
    }
    SQLFreeStmt(statement_, SQL_CLOSE);
}

std::size_t OdbcSession::readAll(const std::u16string& sql) {
    auto text = wide(sql);
    if (!SQL_SUCCEEDED(SQLExecDirectW(statement_, text.data(), SQL_NTS))) {
        throw std::runtime_error("query failed: " + firstDiagnostic(SQL_HANDLE_STMT, statement_));
    }
    SQLSMALLINT columns = 0;
    SQLNumResultCols(statement_, &columns);
    std::vector<SQLSMALLINT> types(static_cast<std::size_t>(columns));
    for (SQLUSMALLINT i = 1; i <= columns; ++i) {
        SQLLEN type = 0;
        SQLColAttributeW(statement_, i, SQL_DESC_CONCISE_TYPE, nullptr, 0, nullptr, &type);
        types[i - 1] = static_cast<SQLSMALLINT>(type);
    }
    std::vector<char> buffer(64 * 1024);
    std::size_t rows = 0;
    while (SQL_SUCCEEDED(SQLFetch(statement_))) {
        for (SQLUSMALLINT i = 1; i <= columns; ++i) {
            bool binary = types[i - 1] == SQL_LONGVARBINARY || types[i - 1] == SQL_VARBINARY;
            SQLLEN indicator = 0;
            while (SQLGetData(statement_, i, binary ? SQL_C_BINARY : SQL_C_WCHAR, buffer.data(),
                              static_cast<SQLLEN>(buffer.size()),
                              &indicator) == SQL_SUCCESS_WITH_INFO) {
            }
        }
        ++rows;
    }
    while (SQL_SUCCEEDED(SQLMoreResults(statement_))) {
    }
    SQLFreeStmt(statement_, SQL_CLOSE);
    return rows;
}

} // namespace tdslite::bench
