// The two connection strings, in the OLE DB form the scoring clients know.
#pragma once

#include <QString>

struct ServerLogin {
    QString serverIP;
    QString user;
    QString password;
};

QString ServerConnStr(const ServerLogin& login);  // no database chosen
QString CatalogConnStr(const ServerLogin& login); // the score database
