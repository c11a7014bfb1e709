#include "db/connection_strings.h"

QString ServerConnStr(const ServerLogin& login) {
    return QStringLiteral("Provider=SQLOLEDB.1;Password=") + login.password +
           QStringLiteral(";Persist Security Info=True;User ID=") + login.user +
           QStringLiteral(";Data Source=") + login.serverIP;
}

QString CatalogConnStr(const ServerLogin& login) {
    return QStringLiteral("Provider=SQLOLEDB.1;Password=") + login.password +
           QStringLiteral(";Persist Security Info=True;User ID=") + login.user +
           QStringLiteral(";Initial Catalog=score;Data Source=") + login.serverIP;
}
