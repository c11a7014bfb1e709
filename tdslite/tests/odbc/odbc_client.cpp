#include "odbc_client.h"

#include <algorithm>
#include <array>

namespace tdslite::odbctest {
namespace {

std::string braced(const std::string& value) {
    std::string quoted = "{";
    for (char c : value) {
        quoted += c;
        if (c == '}') {
            quoted += '}';
        }
    }
    return quoted + "}";
}

std::vector<SQLWCHAR> wide(const std::string& utf8) {
    std::u16string text = utf8ToUtf16(utf8);
    std::vector<SQLWCHAR> buffer(text.begin(), text.end());
    buffer.push_back(0);
    return buffer;
}

std::vector<Diagnostic> diagnosticsOf(SQLSMALLINT handleType, SQLHANDLE handle) {
    std::vector<Diagnostic> found;
    for (SQLSMALLINT record = 1;; ++record) {
        std::array<SQLWCHAR, 6> state{};
        std::array<SQLWCHAR, 2048> message{};
        SQLINTEGER native = 0;
        SQLSMALLINT length = 0;
        SQLRETURN status =
            SQLGetDiagRecW(handleType, handle, record, state.data(), &native, message.data(),
                           static_cast<SQLSMALLINT>(message.size()), &length);
        if (!SQL_SUCCEEDED(status)) {
            return found;
        }
        length = std::min<SQLSMALLINT>(length, static_cast<SQLSMALLINT>(message.size() - 1));
        found.push_back(Diagnostic{
            utf16ToUtf8(std::u16string(state.begin(), state.begin() + 5)), static_cast<int>(native),
            utf16ToUtf8(std::u16string(message.begin(), message.begin() + length))});
    }
}

bool isBinary(SQLSMALLINT type) {
    return type == SQL_BINARY || type == SQL_VARBINARY || type == SQL_LONGVARBINARY;
}

Cell readCell(SQLHSTMT statement, SQLUSMALLINT column, SQLSMALLINT type) {
    Cell cell;
    std::vector<std::uint8_t> collected;
    SQLSMALLINT cType = isBinary(type) ? SQL_C_BINARY : SQL_C_WCHAR;
    std::array<std::uint8_t, 8192> chunk{};
    for (;;) {
        SQLLEN indicator = 0;
        SQLRETURN status =
            SQLGetData(statement, column, cType, chunk.data(), chunk.size(), &indicator);
        if (status == SQL_NO_DATA) {
            break;
        }
        if (!SQL_SUCCEEDED(status)) {
            throw OdbcError("SQLGetData failed", diagnosticsOf(SQL_HANDLE_STMT, statement));
        }
        if (indicator == SQL_NULL_DATA) {
            return cell;
        }
        std::size_t room = chunk.size() - (cType == SQL_C_WCHAR ? sizeof(SQLWCHAR) : 0);
        std::size_t got = (indicator == SQL_NO_TOTAL || static_cast<std::size_t>(indicator) > room)
                              ? room
                              : static_cast<std::size_t>(indicator);
        collected.insert(collected.end(), chunk.begin(),
                         chunk.begin() + static_cast<std::ptrdiff_t>(got));
        if (status == SQL_SUCCESS) {
            break;
        }
    }
    cell.isNull = false;
    if (cType == SQL_C_BINARY) {
        cell.bytes = std::move(collected);
    } else {
        std::u16string text(collected.size() / 2, u'\0');
        for (std::size_t i = 0; i < text.size(); ++i) {
            text[i] = static_cast<char16_t>(collected[2 * i] | (collected[2 * i + 1] << 8));
        }
        cell.text = utf16ToUtf8(text);
    }
    return cell;
}

void readColumns(SQLHSTMT statement, ResultPart& part) {
    SQLSMALLINT count = 0;
    SQLNumResultCols(statement, &count);
    for (SQLUSMALLINT i = 1; i <= count; ++i) {
        std::array<SQLWCHAR, 256> name{};
        SQLSMALLINT nameLength = 0;
        SQLSMALLINT type = 0;
        SQLULEN size = 0;
        SQLSMALLINT digits = 0;
        SQLSMALLINT nullable = 0;
        SQLDescribeColW(statement, i, name.data(), static_cast<SQLSMALLINT>(name.size()),
                        &nameLength, &type, &size, &digits, &nullable);
        part.columnNames.push_back(
            utf16ToUtf8(std::u16string(name.begin(), name.begin() + nameLength)));
        part.columnTypes.push_back(type);
    }
}

void readRows(SQLHSTMT statement, ResultPart& part) {
    while (SQL_SUCCEEDED(SQLFetch(statement))) {
        std::vector<Cell> row;
        for (std::size_t i = 0; i < part.columnTypes.size(); ++i) {
            row.push_back(
                readCell(statement, static_cast<SQLUSMALLINT>(i + 1), part.columnTypes[i]));
        }
        part.rows.push_back(std::move(row));
    }
}

ResultPart readPart(SQLHSTMT statement, SQLRETURN status) {
    ResultPart part;
    part.status = status;
    part.diagnostics = diagnosticsOf(SQL_HANDLE_STMT, statement);
    if (status != SQL_ERROR) {
        readColumns(statement, part);
        SQLRowCount(statement, &part.rowCount);
        if (!part.columnTypes.empty()) {
            readRows(statement, part);
        }
    }
    return part;
}

} // namespace

std::string freeTdsConnectionString(const std::string& host, int port, const std::string& user,
                                    const std::string& password, const std::string& database) {
    std::string text = "DRIVER={FreeTDS};SERVER=" + host + ";PORT=" + std::to_string(port) +
                       ";UID=" + braced(user) + ";PWD=" + braced(password) + ";";
    if (!database.empty()) {
        text += "DATABASE=" + braced(database) + ";";
    }
    return text + "TDS_Version=7.4;ClientCharset=UTF-8";
}

std::string hexOf(const std::vector<std::uint8_t>& bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string hex;
    for (auto byte : bytes) {
        hex += digits[byte >> 4];
        hex += digits[byte & 0xF];
    }
    return hex;
}

bool BatchOutcome::succeeded() const {
    return std::none_of(parts.begin(), parts.end(),
                        [](const ResultPart& part) { return part.status == SQL_ERROR; });
}

std::vector<int> BatchOutcome::nativeErrors() const {
    std::vector<int> numbers;
    for (const auto& part : parts) {
        for (const auto& diagnostic : part.diagnostics) {
            numbers.push_back(diagnostic.nativeError);
        }
    }
    return numbers;
}

const ResultPart& BatchOutcome::firstResultSet() const {
    for (const auto& part : parts) {
        if (!part.columnNames.empty()) {
            return part;
        }
    }
    throw std::runtime_error("the batch returned no result set");
}

OdbcConnection::OdbcConnection(const std::string& connectionString) {
    SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment_);
    SQLSetEnvAttr(environment_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3),
                  0);
    SQLAllocHandle(SQL_HANDLE_DBC, environment_, &connection_);
    SQLSetConnectAttr(connection_, SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(15), 0);
    auto text = wide(connectionString);
    SQLRETURN status = SQLDriverConnectW(connection_, nullptr, text.data(), SQL_NTS, nullptr, 0,
                                         nullptr, SQL_DRIVER_NOPROMPT);
    connectDiagnostics_ = diagnosticsOf(SQL_HANDLE_DBC, connection_);
    if (!SQL_SUCCEEDED(status)) {
        auto diagnostics = connectDiagnostics_;
        SQLFreeHandle(SQL_HANDLE_DBC, connection_);
        SQLFreeHandle(SQL_HANDLE_ENV, environment_);
        throw OdbcError("SQLDriverConnectW failed", std::move(diagnostics));
    }
}

OdbcConnection::~OdbcConnection() {
    SQLDisconnect(connection_);
    SQLFreeHandle(SQL_HANDLE_DBC, connection_);
    SQLFreeHandle(SQL_HANDLE_ENV, environment_);
}

BatchOutcome OdbcConnection::execute(const std::string& sqlUtf8) {
    SQLHSTMT statement = SQL_NULL_HSTMT;
    SQLAllocHandle(SQL_HANDLE_STMT, connection_, &statement);
    auto text = wide(sqlUtf8);
    BatchOutcome outcome;
    SQLRETURN status = SQLExecDirectW(statement, text.data(), SQL_NTS);
    outcome.parts.push_back(readPart(statement, status));
    for (;;) {
        status = SQLMoreResults(statement);
        if (status == SQL_NO_DATA || status == SQL_INVALID_HANDLE) {
            break;
        }
        outcome.parts.push_back(readPart(statement, status));
        if (outcome.parts.size() > 1000) {
            break; // a driver that never says it is done must not hang the test
        }
    }
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
    return outcome;
}

bool OdbcConnection::fetchOneRowThenCancel(const std::string& sqlUtf8) {
    SQLHSTMT statement = SQL_NULL_HSTMT;
    SQLAllocHandle(SQL_HANDLE_STMT, connection_, &statement);
    auto text = wide(sqlUtf8);
    bool fine = SQL_SUCCEEDED(SQLExecDirectW(statement, text.data(), SQL_NTS)) &&
                SQL_SUCCEEDED(SQLFetch(statement)) && SQL_SUCCEEDED(SQLCancel(statement));
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
    return fine;
}

} // namespace tdslite::odbctest
