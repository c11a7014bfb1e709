// One ODBC handle, freed with its owner. A connection handle is disconnected first.
#pragma once

#include <sql.h>
#include <sqlext.h>
#include <utility>

class OdbcHandle {
public:
    OdbcHandle() = default;
    // Throws DatabaseError when the driver manager cannot allocate it.
    OdbcHandle(SQLSMALLINT type, SQLHANDLE parent);
    ~OdbcHandle() { reset(); }
    OdbcHandle(OdbcHandle&& other) noexcept
        : type_(other.type_), handle_(std::exchange(other.handle_, SQLHANDLE{})),
          connected_(std::exchange(other.connected_, false)) {}
    OdbcHandle& operator=(OdbcHandle&& other) noexcept;
    OdbcHandle(const OdbcHandle&) = delete;
    OdbcHandle& operator=(const OdbcHandle&) = delete;

    SQLHANDLE get() const { return handle_; }
    SQLSMALLINT type() const { return type_; }
    explicit operator bool() const { return handle_ != SQL_NULL_HANDLE; }
    void markConnected() { connected_ = true; }
    void reset();

private:
    SQLSMALLINT type_ = SQL_HANDLE_ENV;
    SQLHANDLE handle_ = SQL_NULL_HANDLE;
    bool connected_ = false;
};

inline bool Succeeded(SQLRETURN code) {
    return code == SQL_SUCCESS || code == SQL_SUCCESS_WITH_INFO;
}
