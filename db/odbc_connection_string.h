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

// How a driver reads a value in braces. The ODBC rule doubles a "}" inside; FreeTDS (1.3)
// takes everything up to the first "};" as it stands and undoubles nothing.
enum class BraceRule { Standard, FreeTds };
BraceRule BraceRuleOf(const QString& driver);

// {value}: whatever the value holds, it stays one value. Throws DatabaseError for a value the
// driver cannot be given whole (with FreeTDS, one holding "};").
QString OdbcValue(const QString& value, BraceRule rule);

QString OdbcConnectionString(const OleDbConnectionString& oledb, const QString& driver);
