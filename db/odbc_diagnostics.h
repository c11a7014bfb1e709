// What the driver says after a call: its diagnostic records, and the one a failure shows.
#pragma once

#include "db/odbc_handle.h"

#include <QList>
#include <QString>

struct OdbcDiagnostic {
    QString state; // SQLSTATE, five characters; "01…" are warnings and messages
    QString message;
};

QList<OdbcDiagnostic> Diagnostics(const OdbcHandle& handle);

// The first record that is not a warning, as the server worded it; the failure of a call
// that left no record gets `fallback`.
QString FailureText(const QList<OdbcDiagnostic>& records, const QString& fallback);
QString FailureText(const OdbcHandle& handle, const QString& fallback);

// A broken link or a driver that gave up: nothing further will come on this statement.
bool IsFatal(const QList<OdbcDiagnostic>& records);
