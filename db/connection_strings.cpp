#include "db/connection_strings.h"

#include "db/oledb_connection_string.h"

// Ordinary values go in as typed, so the text is the one the scoring clients know; a value
// that would end its key or start another is quoted instead.

QString ServerConnStr(const ServerLogin& login) {
    return QStringLiteral("Provider=SQLOLEDB.1;Password=") + OleDbValue(login.password) +
           QStringLiteral(";Persist Security Info=True;User ID=") + OleDbValue(login.user) +
           QStringLiteral(";Data Source=") + OleDbValue(login.serverIP);
}

QString CatalogConnStr(const ServerLogin& login) {
    return QStringLiteral("Provider=SQLOLEDB.1;Password=") + OleDbValue(login.password) +
           QStringLiteral(";Persist Security Info=True;User ID=") + OleDbValue(login.user) +
           QStringLiteral(";Initial Catalog=score;Data Source=") + OleDbValue(login.serverIP);
}
