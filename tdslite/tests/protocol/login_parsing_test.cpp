// LOGIN7 and PRELOGIN parsing, on records built the way clients build them.
#include "byte_reader.h"
#include "login7.h"
#include "prelogin.h"
#include "tds_messages.h"

#include <gtest/gtest.h>

namespace tdslite::protocol {
namespace {

using testtds::login7Payload;
using testtds::LoginFields;

TEST(Login7Test, ReadsTheFieldsAndRecoversTheObfuscatedPassword) {
    LoginFields fields;
    fields.user = u"reader";
    fields.password = u"pä;ss收";
    fields.database = u"score";
    fields.packetSize = 8192;
    Login7Request login = parseLogin7(login7Payload(fields));
    EXPECT_EQ(login.userName, u"reader");
    EXPECT_EQ(login.password, u"pä;ss收");
    EXPECT_EQ(login.database, u"score");
    EXPECT_EQ(login.packetSize, 8192u);
    EXPECT_EQ(login.tdsVersion, 0x74000004u);
    EXPECT_EQ(login.hostName, u"testhost");
}

TEST(Login7Test, SkipsFeatureExtensionsItDoesNotKnow) {
    LoginFields fields;
    fields.featureExtension = {0x0A, 1, 0, 0, 0, 0x01, 0x42, 3, 0, 0, 0, 9, 9, 9, 0xFF};
    Login7Request login = parseLogin7(login7Payload(fields));
    EXPECT_EQ(login.featureIds, (std::vector<std::uint8_t>{0x0A, 0x42}));
    EXPECT_EQ(login.userName, u"sa");
}

TEST(Login7Test, EveryTruncatedRecordIsRejected) {
    LoginFields fields;
    fields.database = u"score";
    auto record = login7Payload(fields);
    for (std::size_t length = 0; length < record.size(); ++length) {
        EXPECT_THROW(parseLogin7(std::span(record).first(length)), ProtocolError) << length;
    }
}

TEST(Login7Test, FieldsPointingOutsideTheRecordAreRejected) {
    struct Corruption {
        const char* what;
        std::size_t at;
        std::vector<std::uint8_t> bytes;
    };
    const Corruption corruptions[] = {
        {"user offset past the end", 40, {0xF0, 0xFF}},
        {"user length past the end", 42, {0x00, 0x40}},
        {"declared length beyond the message", 0, {0xFF, 0xFF, 0x00, 0x00}},
        {"declared length shorter than the fixed part", 0, {0x10, 0x00, 0x00, 0x00}},
        {"password with an odd byte count is impossible: huge length", 46, {0xFF, 0x7F}},
    };
    for (const auto& corruption : corruptions) {
        auto record = login7Payload(LoginFields{});
        std::copy(corruption.bytes.begin(), corruption.bytes.end(),
                  record.begin() + static_cast<std::ptrdiff_t>(corruption.at));
        EXPECT_THROW(parseLogin7(record), ProtocolError) << corruption.what;
    }
}

TEST(Login7Test, BrokenFeatureExtensionsAreRejected) {
    const std::vector<std::vector<std::uint8_t>> broken{
        {0x0A, 1, 0, 0, 0},             // no terminator
        {0x0A, 0xFF, 0xFF, 0xFF, 0x7F}, // data length past the end
    };
    for (const auto& extension : broken) {
        LoginFields fields;
        fields.featureExtension = extension;
        EXPECT_THROW(parseLogin7(login7Payload(fields)), ProtocolError);
    }
}

TEST(PreloginTest, ReplySaysEncryptionIsNotSupported) {
    ByteBuffer reply = buildPreloginResponse();
    ASSERT_EQ(reply[5], 0x01); // the second option is ENCRYPTION
    std::size_t offset = (std::size_t{reply[6]} << 8) | reply[7];
    EXPECT_EQ(reply.at(offset), kEncryptNotSupported);
    EXPECT_EQ(parsePrelogin(reply).encryption, kEncryptNotSupported);
}

TEST(PreloginTest, ReadsTheClientsEncryptionAndRejectsBrokenOptionLists) {
    EXPECT_EQ(parsePrelogin(testtds::preloginPayload()).encryption, kEncryptOff);
    const std::vector<std::vector<std::uint8_t>> broken{
        {},
        {0x01, 0x00, 0x06, 0x00, 0x01},             // no terminator
        {0x01, 0x00, 0x40, 0x00, 0x01, 0xFF},       // data outside the message
        {0x01, 0x00, 0x06, 0xFF, 0xFF, 0xFF, 0x00}, // length outside the message
    };
    for (const auto& payload : broken) {
        EXPECT_THROW(parsePrelogin(payload), ProtocolError);
    }
}

} // namespace
} // namespace tdslite::protocol
