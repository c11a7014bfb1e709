// The score database's tables and seed positions, as one batch run inside the database.
#pragma once

#include <QString>

// The lines "Begin" … "End", two spaces before each line between, "\r\n" between lines and
// none after "End" (the gateway ends every line it sends).
QString scoreInitialisationBatch();
