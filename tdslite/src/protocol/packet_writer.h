// Splits an outgoing message into packets of the negotiated size while it is being
// encoded, so that a large result never has to exist twice in memory.
#pragma once

#include "byte_writer.h"
#include "packet.h"

#include <cstdint>
#include <functional>
#include <span>

namespace tdslite::protocol {

// Where encoded tokens go: a packet writer on a socket, or a buffer in tests.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void put(std::span<const std::uint8_t> bytes) = 0;
};

class BufferSink : public ByteSink {
public:
    void put(std::span<const std::uint8_t> bytes) override {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    }
    const ByteBuffer& bytes() const { return bytes_; }

private:
    ByteBuffer bytes_;
};

class PacketWriter : public ByteSink {
public:
    using Send = std::function<void(std::span<const std::uint8_t>)>;

    PacketWriter(Send send, std::size_t packetSize, std::uint16_t spid,
                 PacketType type = PacketType::TabularResult);

    void put(std::span<const std::uint8_t> bytes) override;
    // Sends what is left as the packet that ends the message (possibly with no payload).
    void finish();

private:
    void startPacket();
    void sendPacket(bool last);

    Send send_;
    std::size_t packetSize_;
    std::uint16_t spid_;
    PacketType type_;
    std::uint8_t nextPacketId_ = 1;
    ByteBuffer packet_; // header space, then the payload gathered so far
};

} // namespace tdslite::protocol
