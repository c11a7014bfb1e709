// The server's words without the names of the layers that passed them on.
#pragma once

#include <QString>

// "[unixODBC][FreeTDS][SQL Server]Login failed for user 'sa'." → "Login failed for user 'sa'."
QString WithoutDriverPrefixes(const QString& message);
