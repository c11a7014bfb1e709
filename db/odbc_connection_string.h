// How the OLE DB text the program builds becomes an ODBC connection string for the SQL Server
// driver: Data Source to Server and Port, User ID to UID, Password to PWD, Initial Catalog to
// Database.
#pragma once

#include "db/oledb_connection_string.h"

#include <QString>

struct ServerAddress {
    QString server; // a host, or host\instance (the driver then asks the server for the port)
    QString port;   // empty with an instance
};

// "host", "host,port" or "host\instance", as SQL Server's own clients read them. Throws
// DatabaseError for a port that is not a number from 1 to 65535.
ServerAddress ParseDataSource(const QString& dataSource);

// {value} with "}" doubled: whatever the value holds, it stays one value.
QString OdbcValue(const QString& value);

QString OdbcConnectionString(const OleDbConnectionString& oledb, const QString& driver);
