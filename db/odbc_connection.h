// One server connection through the ODBC driver manager.
#pragma once

#include "db/odbc_handle.h"

#include <QString>

class OdbcConnection {
public:
    // Logs in; throws DatabaseError with the server's or the driver's words.
    explicit OdbcConnection(const QString& odbcConnectionString);

    // A statement on this connection: forward-only, no escape scanning (the text goes as it
    // is), and the statement time-out.
    OdbcHandle statement() const;

private:
    OdbcHandle environment_;
    OdbcHandle connection_;
};
