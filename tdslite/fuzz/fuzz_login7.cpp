// LOGIN7 records: field offsets, lengths, the password and feature extensions.
#include "byte_reader.h"
#include "login7.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        tdslite::protocol::parseLogin7(std::span<const std::uint8_t>(data, size));
    } catch (const tdslite::protocol::ProtocolError&) {
        // Rejected input is the expected outcome.
    }
    return 0;
}
