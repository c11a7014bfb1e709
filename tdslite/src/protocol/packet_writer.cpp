#include "packet_writer.h"

#include <algorithm>
#include <utility>

namespace tdslite::protocol {

PacketWriter::PacketWriter(Send send, std::size_t packetSize, std::uint16_t spid, PacketType type)
    : send_(std::move(send)),
      payloadCapacity_(std::max<std::size_t>(packetSize, 512) - kPacketHeaderSize), spid_(spid),
      type_(type) {}

void PacketWriter::put(std::span<const std::uint8_t> bytes) {
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
    // A full packet goes out only once more data follows it, so the last one carries EOM.
    std::size_t sent = 0;
    while (pending_.size() - sent > payloadCapacity_) {
        packet_.assign(pending_.begin() + static_cast<std::ptrdiff_t>(sent),
                       pending_.begin() + static_cast<std::ptrdiff_t>(sent + payloadCapacity_));
        sendPacket(payloadCapacity_, false);
        sent += payloadCapacity_;
    }
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(sent));
}

void PacketWriter::finish() {
    packet_ = std::move(pending_);
    pending_.clear();
    sendPacket(packet_.size(), true);
}

void PacketWriter::sendPacket(std::size_t payloadBytes, bool last) {
    ByteBuffer header;
    ByteWriter writer(header);
    writer.u8(static_cast<std::uint8_t>(type_));
    writer.u8(last ? kStatusEndOfMessage : 0);
    writer.u16be(static_cast<std::uint16_t>(payloadBytes + kPacketHeaderSize));
    writer.u16be(spid_);
    writer.u8(nextPacketId_++);
    writer.u8(0);
    packet_.insert(packet_.begin(), header.begin(), header.end());
    send_(packet_);
}

} // namespace tdslite::protocol
