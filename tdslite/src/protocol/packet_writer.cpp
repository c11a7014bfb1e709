#include "packet_writer.h"

#include <algorithm>
#include <utility>

namespace tdslite::protocol {

PacketWriter::PacketWriter(Send send, std::size_t packetSize, std::uint16_t spid, PacketType type)
    : send_(std::move(send)), packetSize_(std::max<std::size_t>(packetSize, 512)), spid_(spid),
      type_(type) {
    packet_.reserve(packetSize_);
    startPacket();
}

void PacketWriter::put(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        // A full packet goes out only once more data follows it, so the last one carries EOM.
        if (packet_.size() == packetSize_) {
            sendPacket(false);
            startPacket();
        }
        std::size_t room = packetSize_ - packet_.size();
        auto part = bytes.first(std::min(room, bytes.size()));
        packet_.insert(packet_.end(), part.begin(), part.end());
        bytes = bytes.subspan(part.size());
    }
}

void PacketWriter::finish() {
    sendPacket(true);
    startPacket();
}

void PacketWriter::startPacket() {
    packet_.assign(kPacketHeaderSize, 0);
}

void PacketWriter::sendPacket(bool last) {
    std::size_t length = packet_.size();
    packet_[0] = static_cast<std::uint8_t>(type_);
    packet_[1] = last ? kStatusEndOfMessage : 0;
    packet_[2] = static_cast<std::uint8_t>(length >> 8);
    packet_[3] = static_cast<std::uint8_t>(length);
    packet_[4] = static_cast<std::uint8_t>(spid_ >> 8);
    packet_[5] = static_cast<std::uint8_t>(spid_);
    packet_[6] = nextPacketId_++;
    packet_[7] = 0;
    send_(packet_);
}

} // namespace tdslite::protocol
