// Sending one batch of SQL text on a statement and walking what comes back.
#pragma once

#include "db/odbc_connection.h"
#include "db/result_buffer.h"

#include <QString>
#include <cstdint>
#include <optional>

struct BatchOutcome {
    std::int64_t rowsChanged = 0;      // summed over the statements that report a count
    std::optional<QString> firstError; // the first failing statement's message
};

// Every statement of the batch runs, as on the server, even after one has failed.
BatchOutcome RunBatch(const OdbcConnection& connection, const QString& sql);

// The batch's first result that has columns, all of it. Throws DatabaseError when the batch
// fails before it or returns none.
ResultBuffer QueryBatch(const OdbcConnection& connection, const QString& sql);
