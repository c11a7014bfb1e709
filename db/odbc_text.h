// UTF-16 both sides: the driver manager's wide characters are the same 16-bit units as
// QString's, so text crosses without conversion.
#pragma once

#include <QString>
#include <sql.h>
#include <sqlext.h>

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "the ODBC wide character must be UTF-16");

inline SQLWCHAR* OdbcText(const QString& text) {
    // The calls take non-const pointers but never write through them.
    return const_cast<SQLWCHAR*>(reinterpret_cast<const SQLWCHAR*>(text.utf16()));
}

inline QString FromOdbc(const SQLWCHAR* text, qsizetype units) {
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(text), units);
}
