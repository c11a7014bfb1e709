// The least an application does to run a statement and read every value of its result
// through ODBC, so that the figures are tdslite's and FreeTDS's, not a helper's.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <cstddef>
#include <string>

namespace tdslite::bench {

class OdbcSession {
public:
    explicit OdbcSession(const std::string& connectionString);
    ~OdbcSession();
    OdbcSession(const OdbcSession&) = delete;
    OdbcSession& operator=(const OdbcSession&) = delete;

    // Runs the statement and reads every column of every row; returns the rows read.
    std::size_t readAll(const std::u16string& sql);
    void run(const std::u16string& sql);

private:
    SQLHENV environment_ = SQL_NULL_HENV;
    SQLHDBC connection_ = SQL_NULL_HDBC;
    SQLHSTMT statement_ = SQL_NULL_HSTMT;
};

} // namespace tdslite::bench
