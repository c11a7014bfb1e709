#include "byte_writer.h"

namespace tdslite::protocol {

void ByteWriter::u16le(std::uint16_t value) {
    out_.push_back(static_cast<std::uint8_t>(value));
    out_.push_back(static_cast<std::uint8_t>(value >> 8));
}

void ByteWriter::u16be(std::uint16_t value) {
    out_.push_back(static_cast<std::uint8_t>(value >> 8));
    out_.push_back(static_cast<std::uint8_t>(value));
}

void ByteWriter::u32le(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out_.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void ByteWriter::u32be(std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out_.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void ByteWriter::u64le(std::uint64_t value) {
    for (int shift = 0; shift < 64; shift += 8) {
        out_.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void ByteWriter::bytes(std::span<const std::uint8_t> data) {
    out_.insert(out_.end(), data.begin(), data.end());
}

void ByteWriter::ucs2(std::u16string_view text) {
    for (char16_t unit : text) {
        u16le(static_cast<std::uint16_t>(unit));
    }
}

std::size_t ByteWriter::reserveU16() {
    std::size_t at = out_.size();
    zeros(2);
    return at;
}

void ByteWriter::patchU16le(std::size_t at, std::uint16_t value) {
    out_[at] = static_cast<std::uint8_t>(value);
    out_[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

} // namespace tdslite::protocol
