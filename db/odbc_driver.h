// Which ODBC driver reaches SQL Server on this machine.
#pragma once

#include <QString>

// FreeTDS by its registered name; its library path when the name is not registered, so that
// a missing odbcinst.ini entry does not stop the program.
// Looked up once per process.
QString SqlServerDriver();
// The same, looked up afresh in the driver manager's list.
QString RegisteredOrPathDriver();
