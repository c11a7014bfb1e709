// A small ODBC client for the tests: connects through unixODBC and FreeTDS exactly as the
// program does, runs one batch and collects every result, count and diagnostic of it.
#pragma once

#include "utf_text.h"

#include <sql.h>
#include <sqlext.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tdslite::odbctest {

using testing::utf16ToUtf8;
using testing::utf8ToUtf16;

// The FreeTDS settings the program uses to reach SQL Server (and tdslite):
//   DRIVER={FreeTDS}   the driver as registered in odbcinst.ini;
//   SERVER, PORT       host and TCP port, given separately (FreeTDS reads no "host,port");
//   UID, PWD           SQL Server authentication, never the Windows account;
//   DATABASE           the initial catalog, left out for the server-level connection;
//   TDS_Version=7.4    the protocol version tdslite speaks; without it FreeTDS may guess older;
//   ClientCharset=UTF-8 how FreeTDS converts narrow text for us; the wide calls are UTF-16.
// Values are wrapped in braces so that ';' or '=' inside a password cannot end the key.
std::string freeTdsConnectionString(const std::string& host, int port, const std::string& user,
                                    const std::string& password, const std::string& database = "");

struct Diagnostic {
    std::string sqlState;
    int nativeError = 0;
    std::string text; // UTF-8
};

struct Cell {
    bool isNull = true;
    std::string text;                // UTF-8, for every column that is not binary
    std::vector<std::uint8_t> bytes; // for binary columns
};

struct ResultPart {
    SQLRETURN status = SQL_SUCCESS; // of SQLExecDirectW for the first part, SQLMoreResults after
    std::vector<std::string> columnNames;
    std::vector<SQLSMALLINT> columnTypes;
    std::vector<std::vector<Cell>> rows;
    SQLLEN rowCount = -1;
    std::vector<Diagnostic> diagnostics;
};

struct BatchOutcome {
    std::vector<ResultPart> parts;

    bool succeeded() const; // no part reported SQL_ERROR
    std::vector<int> nativeErrors() const;
    const ResultPart& firstResultSet() const; // the first part with columns
};

class OdbcError : public std::runtime_error {
public:
    OdbcError(const std::string& what, std::vector<Diagnostic> diagnostics)
        : std::runtime_error(what), diagnostics(std::move(diagnostics)) {}
    std::vector<Diagnostic> diagnostics;
};

class OdbcConnection {
public:
    // Throws OdbcError carrying the server's diagnostics when the login fails.
    explicit OdbcConnection(const std::string& connectionString);
    ~OdbcConnection();
    OdbcConnection(const OdbcConnection&) = delete;
    OdbcConnection& operator=(const OdbcConnection&) = delete;

    BatchOutcome execute(const std::string& sqlUtf8);
    // Reads the first row of the query's result, then cancels the rest with SQLCancel
    // (the driver sends an attention); true when both calls succeeded.
    bool fetchOneRowThenCancel(const std::string& sqlUtf8);
    std::vector<Diagnostic> connectDiagnostics() const { return connectDiagnostics_; }

private:
    SQLHENV environment_ = SQL_NULL_HENV;
    SQLHDBC connection_ = SQL_NULL_HDBC;
    std::vector<Diagnostic> connectDiagnostics_;
};

std::string hexOf(const std::vector<std::uint8_t>& bytes);

} // namespace tdslite::odbctest
