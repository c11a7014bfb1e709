#include "db/odbc_driver.h"

#include "db/odbc_handle.h"
#include "db/odbc_text.h"

namespace {

#ifdef _WIN32
const QString kDriverName = QStringLiteral("SQL Server");
const QString kDriverPath;
#else
const QString kDriverName = QStringLiteral("FreeTDS");
const QString kDriverPath = QStringLiteral("/usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so");
#endif

bool isRegistered(const QString& name) {
    try {
        OdbcHandle environment(SQL_HANDLE_ENV, SQL_NULL_HANDLE);
        SQLSetEnvAttr(environment.get(), SQL_ATTR_ODBC_VERSION,
                      reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        SQLWCHAR description[256];
        SQLWCHAR attributes[1024];
        SQLSMALLINT descriptionLength = 0;
        SQLSMALLINT attributesLength = 0;
        SQLUSMALLINT direction = SQL_FETCH_FIRST;
        while (Succeeded(SQLDriversW(environment.get(), direction, description, 256,
                                     &descriptionLength, attributes, 1024, &attributesLength))) {
            const qsizetype units = std::min<qsizetype>(descriptionLength, 255);
            if (FromOdbc(description, units).compare(name, Qt::CaseInsensitive) == 0)
                return true;
            direction = SQL_FETCH_NEXT;
        }
    } catch (...) {
    }
    return false;
}

} // namespace

QString RegisteredOrPathDriver() {
    return kDriverPath.isEmpty() || isRegistered(kDriverName) ? kDriverName : kDriverPath;
}

QString SqlServerDriver() {
    static const QString driver = RegisteredOrPathDriver();
    return driver;
}
