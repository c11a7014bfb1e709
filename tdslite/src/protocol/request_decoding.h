// Decoding of the requests a logged-in client sends: SQL batches and RPC calls.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tdslite::protocol {

// From TDS 7.2 on every batch and RPC starts with ALL_HEADERS (transaction descriptor and
// the like), which this server has no use for.
std::span<const std::uint8_t> skipAllHeaders(std::span<const std::uint8_t> payload);

// The batch text; throws ProtocolError for broken headers or an odd byte count.
std::u16string decodeSqlBatch(std::span<const std::uint8_t> payload, bool hasAllHeaders);

// The name of the procedure an RPC request calls, for the error that refuses it; the
// well-known procedures that clients send by number get their usual names.
std::u16string decodeRpcProcedureName(std::span<const std::uint8_t> payload, bool hasAllHeaders);

} // namespace tdslite::protocol
