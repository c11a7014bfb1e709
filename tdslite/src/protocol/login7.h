// LOGIN7: who is connecting, to which database, with which packet size.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tdslite::protocol {

inline constexpr std::size_t kMaxLogin7Bytes = 128 * 1024 - 1;

struct Login7Request {
    std::uint32_t tdsVersion = 0;
    std::uint32_t packetSize = 0;
    std::uint8_t optionFlags2 = 0;
    std::u16string hostName;
    std::u16string userName;
    std::u16string password; // de-obfuscated
    std::u16string appName;
    std::u16string serverName;
    std::u16string libraryName;
    std::u16string language;
    std::u16string database;
    std::vector<std::uint8_t> featureIds; // requested extensions; none is acknowledged
};

// Throws ProtocolError for a record whose fields do not fit inside it.
Login7Request parseLogin7(std::span<const std::uint8_t> payload);

// LOGIN7 hides the password by swapping each byte's nibbles and XOR-ing with 0xA5.
std::u16string deobfuscatePassword(std::span<const std::uint8_t> bytes);

} // namespace tdslite::protocol
