// PRELOGIN: the first exchange of a TDS 7.x connection, before LOGIN7.
#pragma once

#include "byte_writer.h"

#include <cstdint>
#include <optional>
#include <span>

namespace tdslite::protocol {

inline constexpr std::uint8_t kEncryptOff = 0x00;
inline constexpr std::uint8_t kEncryptOn = 0x01;
inline constexpr std::uint8_t kEncryptNotSupported = 0x02;
inline constexpr std::uint8_t kEncryptRequired = 0x03;

struct PreloginRequest {
    std::optional<std::uint8_t> encryption;
    std::optional<std::uint8_t> mars;
};

// Throws ProtocolError when an option points outside the message or the list never ends.
PreloginRequest parsePrelogin(std::span<const std::uint8_t> payload);

// The reply payload: our version, encryption not supported, no instance, no MARS. The
// connection is never encrypted, so a client that insists on encryption gives up itself.
ByteBuffer buildPreloginResponse();

} // namespace tdslite::protocol
