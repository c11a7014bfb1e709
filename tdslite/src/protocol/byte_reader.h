// Bounds-checked reading of little- and big-endian fields from a received message.
// Every parser works on a span and reports a short read as ProtocolError, so malformed
// input from the network can only ever end the one connection it came from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

namespace tdslite::protocol {

class ProtocolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint8_t u8();
    std::uint16_t u16le();
    std::uint16_t u16be();
    std::uint32_t u32le();
    std::span<const std::uint8_t> take(std::size_t count);
    void skip(std::size_t count) { take(count); }

    std::size_t position() const { return position_; }
    std::size_t remaining() const { return bytes_.size() - position_; }
    bool atEnd() const { return remaining() == 0; }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

// UCS-2 little-endian bytes to UTF-16 code units; an odd byte count is a ProtocolError.
std::u16string decodeUcs2(std::span<const std::uint8_t> bytes);

} // namespace tdslite::protocol
