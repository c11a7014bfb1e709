// Packet headers, joining packets into requests and cutting replies into packets.
#include "byte_reader.h"
#include "packet.h"
#include "packet_writer.h"

#include <gtest/gtest.h>

#include <array>
#include <numeric>

namespace tdslite::protocol {
namespace {

PacketHeader header(std::uint8_t type, std::uint8_t status, std::size_t payloadBytes) {
    PacketHeader h;
    h.type = type;
    h.status = status;
    h.length = static_cast<std::uint16_t>(payloadBytes + kPacketHeaderSize);
    return h;
}

TEST(PacketHeaderTest, ReadsBigEndianLengthAndRejectsLengthsShorterThanTheHeader) {
    std::array<std::uint8_t, 8> valid{0x01, 0x01, 0x01, 0x00, 0x00, 0x33, 0x07, 0x00};
    PacketHeader parsed = parsePacketHeader(valid);
    EXPECT_EQ(parsed.length, 256);
    EXPECT_EQ(parsed.spid, 0x33);
    EXPECT_TRUE(parsed.endOfMessage());
    for (std::uint8_t shortLength : {0, 1, 7}) {
        std::array<std::uint8_t, 8> broken{0x01, 0x01, 0x00, shortLength, 0, 0, 0, 0};
        EXPECT_THROW(parsePacketHeader(broken), ProtocolError) << int{shortLength};
    }
}

TEST(MessageAssemblerTest, JoinsPayloadsUntilEndOfMessage) {
    MessageAssembler assembler(1024);
    ByteBuffer first{1, 2, 3};
    ByteBuffer second{4, 5};
    EXPECT_FALSE(assembler.add(header(1, 0, first.size()), first));
    EXPECT_TRUE(assembler.inProgress());
    EXPECT_TRUE(assembler.add(header(1, 1, second.size()), second));
    ClientMessage message = assembler.take();
    EXPECT_EQ(message.type, PacketType::SqlBatch);
    EXPECT_EQ(message.payload, (ByteBuffer{1, 2, 3, 4, 5}));
    EXPECT_FALSE(assembler.inProgress());
}

TEST(MessageAssemblerTest, RejectsATypeChangeMidMessageAndRequestsOverTheCap) {
    ByteBuffer chunk(600, 0x41);
    MessageAssembler changing(4096);
    changing.add(header(1, 0, chunk.size()), chunk);
    EXPECT_THROW(changing.add(header(3, 1, chunk.size()), chunk), ProtocolError);

    MessageAssembler capped(1000);
    capped.add(header(1, 0, chunk.size()), chunk);
    EXPECT_THROW(capped.add(header(1, 1, chunk.size()), chunk), ProtocolError);
}

struct WrittenPacket {
    std::uint8_t status;
    std::size_t length;
    std::uint8_t id;
};

std::vector<WrittenPacket> writePackets(std::size_t payloadBytes, ByteBuffer& joined) {
    std::vector<WrittenPacket> written;
    PacketWriter writer(
        [&](std::span<const std::uint8_t> packet) {
            written.push_back({packet[1], (std::size_t{packet[2]} << 8) | packet[3], packet[6]});
            EXPECT_EQ(written.back().length, packet.size());
            joined.insert(joined.end(), packet.begin() + 8, packet.end());
        },
        512, 51);
    ByteBuffer payload(payloadBytes);
    std::iota(payload.begin(), payload.end(), std::uint8_t{0});
    // Put in uneven pieces, as the encoder does.
    for (std::size_t at = 0; at < payload.size(); at += 77) {
        writer.put(std::span(payload).subspan(at, std::min<std::size_t>(77, payload.size() - at)));
    }
    writer.finish();
    EXPECT_EQ(joined, payload);
    return written;
}

TEST(PacketWriterTest, CutsAtThePacketSizeAndMarksOnlyTheLastPacket) {
    struct Case {
        std::size_t payloadBytes;
        std::vector<std::size_t> lengths;
    };
    const Case cases[] = {
        {0, {8}},
        {504, {512}},
        {505, {512, 9}},
        {1200, {512, 512, 200}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.payloadBytes);
        ByteBuffer joined;
        auto written = writePackets(c.payloadBytes, joined);
        ASSERT_EQ(written.size(), c.lengths.size());
        for (std::size_t i = 0; i < written.size(); ++i) {
            EXPECT_EQ(written[i].length, c.lengths[i]);
            EXPECT_EQ(written[i].status, i + 1 == written.size() ? 1 : 0);
            EXPECT_EQ(written[i].id, i + 1);
        }
    }
}

} // namespace
} // namespace tdslite::protocol
