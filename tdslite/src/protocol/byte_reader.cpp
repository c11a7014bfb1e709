#include "byte_reader.h"

namespace tdslite::protocol {

std::span<const std::uint8_t> ByteReader::take(std::size_t count) {
    if (count > remaining()) {
        throw ProtocolError("message ends inside a field");
    }
    auto part = bytes_.subspan(position_, count);
    position_ += count;
    return part;
}

std::uint8_t ByteReader::u8() {
    return take(1)[0];
}

std::uint16_t ByteReader::u16le() {
    auto b = take(2);
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::uint16_t ByteReader::u16be() {
    auto b = take(2);
    return static_cast<std::uint16_t>((b[0] << 8) | b[1]);
}

std::uint32_t ByteReader::u32le() {
    auto b = take(4);
    return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
           (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

std::u16string decodeUcs2(std::span<const std::uint8_t> bytes) {
    if (bytes.size() % 2 != 0) {
        throw ProtocolError("UCS-2 text with an odd number of bytes");
    }
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    }
    return text;
}

} // namespace tdslite::protocol
