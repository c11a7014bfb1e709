#include "prelogin.h"

#include "byte_reader.h"

#include <array>

namespace tdslite::protocol {
namespace {

constexpr std::uint8_t kOptionVersion = 0x00;
constexpr std::uint8_t kOptionEncryption = 0x01;
constexpr std::uint8_t kOptionInstance = 0x02;
constexpr std::uint8_t kOptionThreadId = 0x03;
constexpr std::uint8_t kOptionMars = 0x04;
constexpr std::uint8_t kOptionTerminator = 0xFF;

struct OptionEntry {
    std::uint8_t token;
    ByteBuffer data;
};

std::optional<std::uint8_t> firstByte(std::span<const std::uint8_t> data) {
    if (data.empty()) {
        return std::nullopt;
    }
    return data[0];
}

} // namespace

PreloginRequest parsePrelogin(std::span<const std::uint8_t> payload) {
    ByteReader options(payload);
    PreloginRequest request;
    for (;;) {
        std::uint8_t token = options.u8();
        if (token == kOptionTerminator) {
            return request;
        }
        std::uint16_t offset = options.u16be();
        std::uint16_t length = options.u16be();
        if (std::size_t{offset} + length > payload.size()) {
            throw ProtocolError("PRELOGIN option points outside the message");
        }
        auto data = payload.subspan(offset, length);
        if (token == kOptionEncryption) {
            request.encryption = firstByte(data);
        } else if (token == kOptionMars) {
            request.mars = firstByte(data);
        }
    }
}

ByteBuffer buildPreloginResponse() {
    const std::array<OptionEntry, 5> entries{{
        {kOptionVersion, {15, 0, 0x07, 0xD0, 0, 0}},
        {kOptionEncryption, {kEncryptNotSupported}},
        {kOptionInstance, {0}},
        {kOptionThreadId, {}},
        {kOptionMars, {0}},
    }};
    ByteBuffer payload;
    ByteWriter writer(payload);
    std::size_t dataOffset = entries.size() * 5 + 1;
    for (const auto& entry : entries) {
        writer.u8(entry.token);
        writer.u16be(static_cast<std::uint16_t>(dataOffset));
        writer.u16be(static_cast<std::uint16_t>(entry.data.size()));
        dataOffset += entry.data.size();
    }
    writer.u8(kOptionTerminator);
    for (const auto& entry : entries) {
        writer.bytes(entry.data);
    }
    return payload;
}

} // namespace tdslite::protocol
