// The contract between the TDS front end (protocol/) and the T-SQL engine (engine/).
// The front end turns packets into calls on Engine and Session and turns the results
// back into tokens; the engine knows nothing about the wire.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tdslite {

enum class ColumnType {
    NVarChar,
    Char,
    Text,
    Image,
    Decimal,
    DateTime,
    Int,
    SmallInt,
    TinyInt,
    Bit
};

struct Column {
    std::u16string name;
    ColumnType type = ColumnType::NVarChar;
    int length = 0; // characters for nvarchar(n) and char(n); unused otherwise
    int precision = 0;
    int scale = 0;
    bool nullable = true;
};

// Unscaled integer with the column's scale: 12.50 in decimal(18,2) is {1250, 2}.
struct Decimal {
    std::int64_t unscaled = 0;
    int scale = 0;
};

// SQL Server's datetime: days since 1900-01-01 and 1/300 s ticks since midnight.
struct DateTime {
    std::int32_t days = 0;
    std::uint32_t ticks = 0;
};

using Bytes = std::vector<std::uint8_t>;
// monostate is NULL. Integer columns (int, smallint, tinyint, bit) carry int64.
using Value = std::variant<std::monostate, std::int64_t, std::u16string, Bytes, Decimal, DateTime>;
using Row = std::vector<Value>;

enum class MessageClass { Error, Info };

struct Message {
    MessageClass kind = MessageClass::Error;
    int number = 0;
    int state = 1;
    int severity = 16;
    std::u16string text;
    int line = 1;
};

// One statement's outcome, in the order the statements ran.
struct StatementResult {
    bool hasResultSet = false;
    std::vector<Column> columns;
    std::vector<Row> rows;
    std::optional<std::int64_t> rowCount; // rows read or changed; absent for e.g. DDL
    std::vector<Message> messages;        // sent before this statement's DONE
    bool failed = false;                  // an error message with severity > 10
};

struct BatchResult {
    std::vector<StatementResult> statements;
    // Set when the batch changed the session's database (USE): the front end sends ENVCHANGE.
    std::optional<std::u16string> newDatabase;
};

struct LoginRequest {
    std::u16string user;
    std::u16string password; // already de-obfuscated
    std::u16string database; // empty: the login's default (master)
};

struct LoginOutcome {
    bool accepted = false;
    std::u16string database;       // the database the session starts in
    std::vector<Message> messages; // 4060 then 18456 for a missing database, 18456 otherwise
};

class Session {
public:
    virtual ~Session() = default;
    virtual BatchResult execute(const std::u16string& batch) = 0;
    virtual std::u16string currentDatabase() const = 0;
};

enum class Role { SysAdmin, Writer, Reader };

struct LoginAccount {
    std::string name;
    std::string password;
    Role role = Role::SysAdmin;
};

struct EngineConfig {
    std::string dataDir;              // one SQLite file per database
    std::vector<LoginAccount> logins; // empty: sa with an empty password, sysadmin
    std::string collation = "Chinese_PRC_CI_AS";
};

// Thread-safe: every connection of the server shares one engine. Every Session must be destroyed
// before the Engine that made it.
class Engine {
public:
    virtual ~Engine() = default;
    // On success *session is set; the outcome says why a login was refused.
    virtual LoginOutcome login(const LoginRequest& request, std::unique_ptr<Session>* session) = 0;
    virtual std::string collationName() const = 0;
    // Windows locale id and code-page flags for the collation, as sent in the login reply.
    virtual std::uint32_t collationLcid() const = 0;
    virtual std::uint8_t collationSortId() const = 0;
};

// Throws std::invalid_argument for an unknown collation and std::runtime_error when the data
// directory cannot be used or another engine already holds it.
std::unique_ptr<Engine> makeEngine(const EngineConfig& config);

} // namespace tdslite
