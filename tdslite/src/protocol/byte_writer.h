// Appends wire fields to a growing byte buffer; the counterpart of ByteReader.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tdslite::protocol {

using ByteBuffer = std::vector<std::uint8_t>;

class ByteWriter {
public:
    explicit ByteWriter(ByteBuffer& out) : out_(out) {}

    void u8(std::uint8_t value) { out_.push_back(value); }
    void u16le(std::uint16_t value);
    void u16be(std::uint16_t value);
    void u32le(std::uint32_t value);
    void u32be(std::uint32_t value);
    void u64le(std::uint64_t value);
    void bytes(std::span<const std::uint8_t> data);
    void ucs2(std::u16string_view text);
    void zeros(std::size_t count) { out_.insert(out_.end(), count, 0); }

    // Writes a 16-bit length now and fills it in later, for tokens whose size is known last.
    std::size_t reserveU16();
    void patchU16le(std::size_t at, std::uint16_t value);

    std::size_t size() const { return out_.size(); }

private:
    ByteBuffer& out_;
};

} // namespace tdslite::protocol
