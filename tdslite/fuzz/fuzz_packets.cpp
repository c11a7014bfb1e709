// Feeds arbitrary bytes through the packet reader as a connection would receive them,
// and every message it completes through the parser its type selects.
#include "byte_reader.h"
#include "login7.h"
#include "packet.h"
#include "prelogin.h"
#include "request_decoding.h"

#include <cstddef>
#include <cstdint>
#include <span>

using namespace tdslite::protocol;

namespace {

void parseMessage(const ClientMessage& message) {
    switch (message.type) {
    case PacketType::Prelogin:
        parsePrelogin(message.payload);
        break;
    case PacketType::Login7:
        parseLogin7(message.payload);
        break;
    case PacketType::SqlBatch:
        decodeSqlBatch(message.payload, true);
        break;
    case PacketType::Rpc:
        decodeRpcProcedureName(message.payload, true);
        break;
    default:
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> stream(data, size);
    MessageAssembler assembler(64 * 1024);
    try {
        while (stream.size() >= kPacketHeaderSize) {
            PacketHeader header = parsePacketHeader(stream.first<kPacketHeaderSize>());
            if (header.length > stream.size()) {
                break; // a truncated packet: the connection would wait, then time out
            }
            auto payload = stream.subspan(kPacketHeaderSize, header.payloadLength());
            stream = stream.subspan(header.length);
            if (assembler.add(header, payload)) {
                parseMessage(assembler.take());
            }
        }
    } catch (const ProtocolError&) {
        // Rejected input is the expected outcome; crashes and hangs are what we look for.
    }
    return 0;
}
