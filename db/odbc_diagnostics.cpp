#include "db/odbc_diagnostics.h"

#include "db/driver_message.h"
#include "db/odbc_text.h"

#include <vector>

namespace {

bool diagnosticAt(const OdbcHandle& handle, SQLSMALLINT number, OdbcDiagnostic& record) {
    SQLWCHAR state[6] = {};
    SQLINTEGER nativeError = 0;
    std::vector<SQLWCHAR> message(512);
    SQLSMALLINT length = 0;
    for (;;) {
        const SQLRETURN code =
            SQLGetDiagRecW(handle.type(), handle.get(), number, state, &nativeError, message.data(),
                           static_cast<SQLSMALLINT>(message.size()), &length);
        if (!Succeeded(code))
            return false;
        if (length < static_cast<SQLSMALLINT>(message.size()) || message.size() >= 32000)
            break;
        message.resize(static_cast<std::size_t>(length) + 1);
    }
    const qsizetype units = std::min<qsizetype>(length, qsizetype(message.size()) - 1);
    record.state = FromOdbc(state, 5);
    record.message = FromOdbc(message.data(), units);
    return true;
}

bool isWarning(const OdbcDiagnostic& record) {
    return record.state.startsWith(u"01");
}

} // namespace

QList<OdbcDiagnostic> Diagnostics(const OdbcHandle& handle) {
    QList<OdbcDiagnostic> records;
    if (!handle)
        return records;
    OdbcDiagnostic record;
    for (SQLSMALLINT number = 1; number < 100 && diagnosticAt(handle, number, record); ++number)
        records << record;
    return records;
}

QString FailureText(const QList<OdbcDiagnostic>& records, const QString& fallback) {
    for (const OdbcDiagnostic& record : records) {
        if (!isWarning(record))
            return WithoutDriverPrefixes(record.message);
    }
    if (!records.isEmpty())
        return WithoutDriverPrefixes(records.front().message);
    return fallback;
}

QString FailureText(const OdbcHandle& handle, const QString& fallback) {
    return FailureText(Diagnostics(handle), fallback);
}

bool IsFatal(const QList<OdbcDiagnostic>& records) {
    for (const OdbcDiagnostic& record : records) {
        if (record.state.startsWith(u"08") || record.state == u"HYT00" ||
            record.state == u"HYT01" || record.state == u"HY008" || record.state == u"HY010")
            return true;
    }
    return false;
}
