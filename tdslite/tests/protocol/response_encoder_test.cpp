// The token streams for logins and batches, read back with a client-side token reader.
#include "response_encoder.h"
#include "tds_messages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tdslite::protocol {
namespace {

using ::testing::ElementsAre;
using testtds::Token;

std::vector<Token> tokensOf(const BufferSink& sink) {
    return testtds::parseTokens(sink.bytes());
}

StatementResult selectOfJobs() {
    StatementResult select;
    select.hasResultSet = true;
    select.columns = {Column{u"sJobNum", ColumnType::NVarChar, 50},
                      Column{u"sJobName", ColumnType::NVarChar, 50}};
    select.rows = {{std::u16string(u"001"), std::u16string(u"收银员")},
                   {std::u16string(u"002"), std::u16string(u"网管")}};
    select.rowCount = 2;
    return select;
}

StatementResult failedInsert() {
    StatementResult insert;
    insert.failed = true;
    insert.messages = {serverError(2627, u"Violation of PRIMARY KEY constraint.", 14),
                       serverError(3621, u"The statement has been terminated.", 0)};
    return insert;
}

StatementResult countedInsert() {
    StatementResult insert;
    insert.rowCount = 1;
    return insert;
}

class BatchEncodingTest : public ::testing::Test {
protected:
    std::vector<Token> encode(const BatchResult& result,
                              std::u16string_view oldDatabase = u"master") {
        BufferSink sink;
        encodeBatchResult(sink, result, oldDatabase, encoder_);
        return tokensOf(sink);
    }

    CodePageEncoder codePage_{"GBK"};
    ResultSetEncoder encoder_{codePage_, {0x00D00804, 0}};
};

TEST_F(BatchEncodingTest, EachStatementGetsItsOwnDoneWithMoreOnAllButTheLast) {
    auto tokens =
        encode(BatchResult{{selectOfJobs(), failedInsert(), countedInsert()}, std::nullopt});
    EXPECT_THAT(testtds::doneStatuses(tokens),
                ElementsAre(kDoneMore | kDoneCount, kDoneMore | kDoneError, kDoneCount));
    EXPECT_THAT(testtds::messageNumbers(tokens), ElementsAre(2627, 3621));
    ASSERT_EQ(tokens[0].type, kTokenColMetadata);
    EXPECT_THAT(tokens[0].columnNames, ElementsAre(u"sJobNum", u"sJobName"));
    EXPECT_EQ(tokens[1].values[1], (testtds::Bytes{0x36, 0x65, 0xF6, 0x94, 0x58, 0x54}));
    EXPECT_EQ(tokens[3].type, kTokenDone);
    EXPECT_EQ(tokens[3].doneCount, 2u);
}

TEST_F(BatchEncodingTest, UseSendsTheDatabaseChangeBeforeTheFinalDone) {
    StatementResult use;
    BatchResult result{{use}, std::u16string(u"score")};
    auto tokens = encode(result, u"master");
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[0].type, kTokenEnvChange);
    EXPECT_EQ(tokens[0].envType, 1);
    EXPECT_EQ(tokens[0].text, u"score");
    EXPECT_EQ(tokens[1].doneStatus, kDoneFinal);
}

TEST_F(BatchEncodingTest, AnEmptyBatchStillEndsWithOneDone) {
    auto tokens = encode(BatchResult{});
    ASSERT_EQ(tokens.size(), 1u);
    EXPECT_EQ(tokens[0].doneStatus, kDoneFinal);
}

TEST_F(BatchEncodingTest, ARowTheWireCannotCarryFailsItsStatementOnly) {
    StatementResult broken = selectOfJobs();
    broken.rows[1][0] = std::int64_t{2};
    auto tokens = encode(BatchResult{{broken, countedInsert()}, std::nullopt});
    EXPECT_THAT(testtds::messageNumbers(tokens), ElementsAre(50000));
    EXPECT_THAT(testtds::doneStatuses(tokens), ElementsAre(kDoneMore | kDoneError, kDoneCount));
    EXPECT_NE(tokens[0].type, kTokenColMetadata);
}

TEST_F(BatchEncodingTest, LargeImagesArriveWholeBetweenSmallerValues) {
    StatementResult photos;
    photos.hasResultSet = true;
    photos.columns = {Column{u"k", ColumnType::Int}, Column{u"p", ColumnType::Image},
                      Column{u"n", ColumnType::Int}};
    Bytes big(40000);
    for (std::size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<std::uint8_t>(i * 7);
    }
    photos.rows = {{std::int64_t{1}, big, std::int64_t{2}},
                   {std::int64_t{3}, Bytes{9}, std::monostate{}}};
    photos.rowCount = 2;
    auto tokens = encode(BatchResult{{photos}, std::nullopt});
    ASSERT_EQ(tokens.size(), 4u);
    EXPECT_EQ(tokens[1].values[1], big);
    EXPECT_EQ(tokens[1].values[2], (testtds::Bytes{2, 0, 0, 0}));
    EXPECT_EQ(tokens[2].values[1], (testtds::Bytes{9}));
    EXPECT_FALSE(tokens[2].values[2].has_value());
}

TEST(LoginEncodingTest, AcceptedLoginCarriesDatabaseCollationLoginAckAndPacketSize) {
    BufferSink sink;
    encodeLoginAccepted(sink, LoginReply{u"score", 8192, {0x00D00804, 0}});
    auto tokens = tokensOf(sink);
    std::vector<std::u16string> envChanges;
    const Token* loginAck = nullptr;
    for (const auto& token : tokens) {
        if (token.type == kTokenEnvChange && token.envType == 7) {
            EXPECT_EQ(token.envBytes, (testtds::Bytes{0x04, 0x08, 0xD0, 0x00, 0x00}));
        } else if (token.type == kTokenEnvChange) {
            envChanges.push_back(token.text);
        } else if (token.type == kTokenLoginAck) {
            loginAck = &token;
        }
    }
    EXPECT_THAT(envChanges, ElementsAre(u"score", u"us_english", u"8192"));
    ASSERT_NE(loginAck, nullptr);
    EXPECT_EQ(loginAck->tdsVersion, 0x74000004u);
    EXPECT_EQ(loginAck->text, u"tdslite");
    EXPECT_EQ(tokens.back().doneStatus, kDoneFinal);
}

TEST(LoginEncodingTest, RefusedLoginSendsTheErrorsAndAnErrorDone) {
    BufferSink sink;
    encodeLoginRejected(sink, {serverError(4060, u"Cannot open database", 11),
                               serverError(18456, u"Login failed", 14)});
    auto tokens = tokensOf(sink);
    EXPECT_THAT(testtds::messageNumbers(tokens), ElementsAre(4060, 18456));
    EXPECT_THAT(testtds::doneStatuses(tokens), ElementsAre(kDoneError));
}

} // namespace
} // namespace tdslite::protocol
