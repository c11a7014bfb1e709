// SQL batch and RPC payloads as clients of TDS 7.1 and 7.2+ send them.
#include "byte_reader.h"
#include "byte_writer.h"
#include "request_decoding.h"
#include "tds_messages.h"

#include <gtest/gtest.h>

namespace tdslite::protocol {
namespace {

TEST(SqlBatchTest, SkipsAllHeadersBeforeTheText) {
    auto payload = testtds::sqlBatchPayload(u"select * from Jobs\r\n");
    EXPECT_EQ(decodeSqlBatch(payload, true), u"select * from Jobs\r\n");
}

TEST(SqlBatchTest, ClientsBeforeTds72SendTheTextAlone) {
    ByteBuffer payload{'s', 0, 0x36, 0x65}; // "s收"
    EXPECT_EQ(decodeSqlBatch(payload, false), u"s收");
}

TEST(SqlBatchTest, RejectsBrokenHeadersAndOddByteCounts) {
    const std::vector<ByteBuffer> broken{
        {0x02, 0, 0, 0},                      // total length shorter than itself
        {0xFF, 0, 0, 0, 0, 0},                // total length past the end
        {0x0A, 0, 0, 0, 0x02, 0, 0, 0, 0, 0}, // a header shorter than its fields
        {0x0A, 0, 0, 0, 0x20, 0, 0, 0, 0, 0}, // a header longer than the block
        {0x04, 0, 0, 0, 's', 0, 'x'},         // odd number of text bytes
    };
    for (const auto& payload : broken) {
        EXPECT_THROW(decodeSqlBatch(payload, true), ProtocolError);
    }
}

TEST(RpcTest, NamesTheProcedureByNameOrByWellKnownNumber) {
    EXPECT_EQ(decodeRpcProcedureName(testtds::rpcPayload(u"sp_who"), true), u"sp_who");
    auto byNumber = testtds::sqlBatchPayload(u"");
    byNumber.insert(byNumber.end(), {0xFF, 0xFF, 10, 0});
    EXPECT_EQ(decodeRpcProcedureName(byNumber, true), u"sp_executesql");
    auto unknownNumber = testtds::sqlBatchPayload(u"");
    unknownNumber.insert(unknownNumber.end(), {0xFF, 0xFF, 99, 0});
    EXPECT_EQ(decodeRpcProcedureName(unknownNumber, true), u"#99");
    auto cut = testtds::rpcPayload(u"sp_who");
    cut.resize(cut.size() - 6);
    EXPECT_THROW(decodeRpcProcedureName(cut, true), ProtocolError);
}

} // namespace
} // namespace tdslite::protocol
