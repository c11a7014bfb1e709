#include "packet.h"

#include "byte_reader.h"

#include <utility>

namespace tdslite::protocol {

PacketHeader parsePacketHeader(std::span<const std::uint8_t, kPacketHeaderSize> bytes) {
    ByteReader reader(bytes);
    PacketHeader header;
    header.type = reader.u8();
    header.status = reader.u8();
    header.length = reader.u16be();
    header.spid = reader.u16be();
    header.packetId = reader.u8();
    if (header.length < kPacketHeaderSize) {
        throw ProtocolError("packet length shorter than its header");
    }
    return header;
}

bool MessageAssembler::add(const PacketHeader& header, std::span<const std::uint8_t> payload) {
    auto type = static_cast<PacketType>(header.type);
    if (!inProgress_) {
        current_ = ClientMessage{type, {}};
        inProgress_ = true;
    } else if (current_.type != type) {
        throw ProtocolError("packet type changed in the middle of a message");
    }
    if (payload.size() > maxMessageBytes_ - current_.payload.size()) {
        throw ProtocolError("request larger than the server accepts");
    }
    current_.payload.insert(current_.payload.end(), payload.begin(), payload.end());
    return header.endOfMessage();
}

ClientMessage MessageAssembler::take() {
    inProgress_ = false;
    return std::exchange(current_, ClientMessage{});
}

void MessageAssembler::discard() {
    inProgress_ = false;
    current_ = ClientMessage{};
}

} // namespace tdslite::protocol
