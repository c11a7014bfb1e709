// Client-side TDS for the tests: builds the requests a client sends and reads back the
// tokens of the server's reply, so that tests can speak to tdslite below the ODBC layer.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tdslite::testtds {

using Bytes = std::vector<std::uint8_t>;

inline constexpr std::uint8_t kSqlBatch = 1;
inline constexpr std::uint8_t kRpc = 3;
inline constexpr std::uint8_t kReply = 4;
inline constexpr std::uint8_t kAttention = 6;
inline constexpr std::uint8_t kLogin7 = 16;
inline constexpr std::uint8_t kPrelogin = 18;

struct LoginFields {
    std::u16string user = u"sa";
    std::u16string password;
    std::u16string database;
    std::uint32_t packetSize = 4096;
    std::uint32_t tdsVersion = 0x74000004;
    Bytes featureExtension; // raw FeatureExt block (ending in 0xFF); empty: none
};

Bytes preloginPayload();
Bytes login7Payload(const LoginFields& fields);
Bytes sqlBatchPayload(std::u16string_view text);
Bytes rpcPayload(std::u16string_view procedure);

// One message cut into packets of at most packetSize bytes, EOM on the last.
Bytes packets(std::uint8_t type, std::span<const std::uint8_t> payload,
              std::size_t packetSize = 4096);

struct Token {
    std::uint8_t type = 0;
    std::uint16_t doneStatus = 0;
    std::uint64_t doneCount = 0;
    int number = 0;      // ERROR and INFO
    std::u16string text; // ERROR and INFO message, ENVCHANGE new value as text
    std::uint8_t envType = 0;
    Bytes envBytes;               // ENVCHANGE new value for binary changes (collation)
    std::uint32_t tdsVersion = 0; // LOGINACK
    std::vector<std::u16string> columnNames;
    std::vector<std::uint8_t> columnTypes;
    std::vector<std::optional<Bytes>> values; // ROW: raw value bytes after the length
};

// Parses a reply payload; throws std::runtime_error on anything it does not understand.
std::vector<Token> parseTokens(std::span<const std::uint8_t> payload);

std::vector<int> messageNumbers(const std::vector<Token>& tokens);
std::vector<std::uint16_t> doneStatuses(const std::vector<Token>& tokens);

} // namespace tdslite::testtds
