// The 8-byte TDS packet header and the joining of packets into one request message.
#pragma once

#include "byte_writer.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace tdslite::protocol {

enum class PacketType : std::uint8_t {
    SqlBatch = 1,
    PreTds7Login = 2,
    Rpc = 3,
    TabularResult = 4,
    Attention = 6,
    BulkLoad = 7,
    TransactionManager = 14,
    Login7 = 16,
    Sspi = 17,
    Prelogin = 18,
};

inline constexpr std::size_t kPacketHeaderSize = 8;
inline constexpr std::uint8_t kStatusEndOfMessage = 0x01;

struct PacketHeader {
    std::uint8_t type = 0;
    std::uint8_t status = 0;
    std::uint16_t length = 0; // header included
    std::uint16_t spid = 0;
    std::uint8_t packetId = 0;

    bool endOfMessage() const { return (status & kStatusEndOfMessage) != 0; }
    std::size_t payloadLength() const { return length - kPacketHeaderSize; }
};

// Throws ProtocolError for a length shorter than the header itself.
PacketHeader parsePacketHeader(std::span<const std::uint8_t, kPacketHeaderSize> bytes);

struct ClientMessage {
    PacketType type = PacketType::SqlBatch;
    ByteBuffer payload;
};

// Collects the payloads of one message's packets. A message that changes type part way
// or grows past the cap is a ProtocolError: the client is confused or hostile.
class MessageAssembler {
public:
    explicit MessageAssembler(std::size_t maxMessageBytes) : maxMessageBytes_(maxMessageBytes) {}

    // True once the packet carrying end-of-message has been added.
    bool add(const PacketHeader& header, std::span<const std::uint8_t> payload);
    ClientMessage take();
    void discard();
    bool inProgress() const { return inProgress_; }
    void setMaxMessageBytes(std::size_t bytes) { maxMessageBytes_ = bytes; }

private:
    std::size_t maxMessageBytes_;
    bool inProgress_ = false;
    ClientMessage current_;
};

} // namespace tdslite::protocol
