// SQL batch and RPC payloads, with and without the ALL_HEADERS block, and PRELOGIN options.
#include "byte_reader.h"
#include "prelogin.h"
#include "request_decoding.h"

#include <cstddef>
#include <cstdint>
#include <span>

using namespace tdslite::protocol;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> payload(data, size);
    for (bool hasAllHeaders : {true, false}) {
        try {
            decodeSqlBatch(payload, hasAllHeaders);
        } catch (const ProtocolError&) {
        }
        try {
            decodeRpcProcedureName(payload, hasAllHeaders);
        } catch (const ProtocolError&) {
        }
    }
    try {
        parsePrelogin(payload);
    } catch (const ProtocolError&) {
    }
    return 0;
}
