// Encoders for the server's response tokens other than result-set metadata and rows.
#pragma once

#include "byte_writer.h"
#include "engine.h"

#include <cstdint>
#include <string_view>

namespace tdslite::protocol {

inline constexpr std::uint8_t kTokenColMetadata = 0x81;
inline constexpr std::uint8_t kTokenError = 0xAA;
inline constexpr std::uint8_t kTokenInfo = 0xAB;
inline constexpr std::uint8_t kTokenLoginAck = 0xAD;
inline constexpr std::uint8_t kTokenRow = 0xD1;
inline constexpr std::uint8_t kTokenEnvChange = 0xE3;
inline constexpr std::uint8_t kTokenDone = 0xFD;
inline constexpr std::uint8_t kTokenDoneProc = 0xFE;
inline constexpr std::uint8_t kTokenDoneInProc = 0xFF;

inline constexpr std::uint16_t kDoneFinal = 0x0000;
inline constexpr std::uint16_t kDoneMore = 0x0001;
inline constexpr std::uint16_t kDoneError = 0x0002;
inline constexpr std::uint16_t kDoneCount = 0x0010;
inline constexpr std::uint16_t kDoneAttention = 0x0020;

inline constexpr std::uint32_t kTdsVersion74 = 0x74000004;
inline constexpr std::u16string_view kServerName = u"tdslite";

// The five collation bytes that go with every character column and the login reply.
struct CollationBytes {
    std::uint32_t lcidAndFlags = 0;
    std::uint8_t sortId = 0;
};

void writeCollation(ByteWriter& writer, CollationBytes collation);

void writeEnvChangeDatabase(ByteBuffer& out, std::u16string_view newName,
                            std::u16string_view oldName);
void writeEnvChangeLanguage(ByteBuffer& out, std::u16string_view language);
void writeEnvChangeCollation(ByteBuffer& out, CollationBytes collation);
void writeEnvChangePacketSize(ByteBuffer& out, std::uint32_t newSize, std::uint32_t oldSize);
void writeLoginAck(ByteBuffer& out);
// ERROR for the error class, INFO otherwise.
void writeMessage(ByteBuffer& out, const Message& message);
void writeDone(ByteBuffer& out, std::uint8_t token, std::uint16_t status, std::uint16_t command,
               std::uint64_t rowCount);

} // namespace tdslite::protocol
