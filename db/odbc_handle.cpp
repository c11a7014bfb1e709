#include "db/odbc_handle.h"

#include "db/database_error.h"

OdbcHandle::OdbcHandle(SQLSMALLINT type, SQLHANDLE parent) : type_(type) {
    if (!Succeeded(SQLAllocHandle(type, parent, &handle_))) {
        handle_ = SQL_NULL_HANDLE;
        throw DatabaseError(QStringLiteral("The ODBC driver manager cannot allocate a handle"));
    }
}

OdbcHandle& OdbcHandle::operator=(OdbcHandle&& other) noexcept {
    if (this != &other) {
        reset();
        type_ = other.type_;
        handle_ = std::exchange(other.handle_, SQLHANDLE{});
        connected_ = std::exchange(other.connected_, false);
    }
    return *this;
}

void OdbcHandle::reset() {
    if (handle_ == SQL_NULL_HANDLE)
        return;
    if (connected_)
        SQLDisconnect(handle_);
    SQLFreeHandle(type_, handle_);
    handle_ = SQL_NULL_HANDLE;
    connected_ = false;
}
