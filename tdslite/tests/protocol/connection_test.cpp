// One connection served in-process over a socket pair, with short time limits, so that
// protocol faults and stalls can be shown without a server process.
#include "connection.h"
#include "scripted_engine.h"
#include "tds_socket.h"
#include "tokens.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <thread>

namespace tdslite::protocol {
namespace {

using namespace std::chrono_literals;
using protocoltest::ScriptedEngine;
using ::testing::ElementsAre;
using testtds::Bytes;
using testtds::TdsSocket;

class ConnectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        limits_.loginTimeout = 300ms;
        limits_.packetTimeout = 300ms;
        limits_.maxRequestBytes = 64 * 1024;
    }

    void TearDown() override {
        client_.reset();
        if (server_.joinable()) {
            server_.join();
        }
    }

    TdsSocket& start() {
        int ends[2];
        EXPECT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0);
        int serverEnd = ends[0];
        server_ = std::thread([this, serverEnd] {
            SocketTransport transport(serverEnd, limits_.packetTimeout);
            Connection(transport, engine_, WireSettings{{0x00D00804, 0}, "GBK"}, limits_, 51)
                .serve();
            close(serverEnd);
        });
        client_ = std::make_unique<TdsSocket>(ends[1]);
        return *client_;
    }

    TdsSocket& startLoggedIn() {
        TdsSocket& client = start();
        auto tokens = client.login();
        EXPECT_EQ(tokens.back().doneStatus, kDoneFinal);
        return client;
    }

    ScriptedEngine engine_;
    ConnectionLimits limits_;
    std::thread server_;
    std::unique_ptr<TdsSocket> client_;
};

TEST_F(ConnectionTest, RequestsAndRepliesSpanSeveralPackets) {
    TdsSocket& client = start();
    testtds::LoginFields fields;
    fields.packetSize = 512;
    client.login(fields);
    std::u16string longBatch(3000, u'x');
    client.send(testtds::packets(testtds::kSqlBatch, testtds::sqlBatchPayload(longBatch), 512));
    auto tokens = testtds::parseTokens(client.readReply());
    ASSERT_GE(tokens.size(), 2u);
    ASSERT_TRUE(tokens[1].values[0].has_value());
    EXPECT_EQ(tokens[1].values[0]->size(), 6000u);
}

TEST_F(ConnectionTest, ClientsAskingForAnOlderTdsAreAnsweredIn74AndSpeakIt) {
    TdsSocket& client = start();
    testtds::LoginFields fields;
    fields.tdsVersion = 0x71000001;
    auto login = client.login(fields);
    auto ack = std::find_if(login.begin(), login.end(),
                            [](const auto& t) { return t.type == kTokenLoginAck; });
    ASSERT_NE(ack, login.end());
    EXPECT_EQ(ack->tdsVersion, kTdsVersion74);
    auto tokens = client.query(u"select 1");
    ASSERT_GE(tokens.size(), 2u);
    EXPECT_EQ(tokens[1].values[0],
              (testtds::Bytes{'s', 0, 'e', 0, 'l', 0, 'e', 0, 'c', 0, 't', 0, ' ', 0, '1', 0}));
}

TEST_F(ConnectionTest, AttentionIsAcknowledgedAndTheConnectionGoesOn) {
    TdsSocket& client = startLoggedIn();
    client.send(testtds::packets(testtds::kAttention, Bytes{}));
    auto ack = testtds::parseTokens(client.readReply());
    EXPECT_THAT(testtds::doneStatuses(ack), ElementsAre(kDoneAttention));
    EXPECT_THAT(testtds::doneStatuses(client.query(u"select 1")), ElementsAre(kDoneCount));
}

TEST_F(ConnectionTest, RpcIsRefusedWithAnErrorAndTheConnectionStaysUsable) {
    TdsSocket& client = startLoggedIn();
    client.send(testtds::packets(testtds::kRpc, testtds::rpcPayload(u"sp_executesql")));
    auto refused = testtds::parseTokens(client.readReply());
    EXPECT_THAT(testtds::messageNumbers(refused), ElementsAre(2812));
    EXPECT_EQ(refused.back().type, kTokenDoneProc);
    EXPECT_EQ(refused.back().doneStatus, kDoneError);
    EXPECT_THAT(testtds::doneStatuses(client.query(u"select 1")), ElementsAre(kDoneCount));
}

TEST_F(ConnectionTest, WrongPasswordIsAnsweredWith18456AndTheConnectionClosed) {
    TdsSocket& client = start();
    testtds::LoginFields fields;
    fields.password = u"wrong";
    auto tokens = client.login(fields);
    EXPECT_THAT(testtds::messageNumbers(tokens), ElementsAre(18456));
    EXPECT_TRUE(client.closedByServer());
}

struct Violation {
    const char* what;
    bool loginFirst;
    Bytes bytes;
};

Bytes joined(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

TEST_F(ConnectionTest, ProtocolViolationsCloseTheConnection) {
    using namespace testtds;
    Bytes firstHalf = packets(kSqlBatch, sqlBatchPayload(std::u16string(3000, u'a')), 512);
    firstHalf[1] = 0; // the first packet of a batch...
    firstHalf.resize(512);
    Bytes rpcAfter = packets(kRpc, rpcPayload(u"x")); // ...continued by an RPC packet
    const Violation violations[] = {
        {"SQL batch before login", false, packets(kSqlBatch, sqlBatchPayload(u"select 1"))},
        {"attention before login", false, packets(kAttention, Bytes{})},
        {"garbage instead of LOGIN7", false, packets(kLogin7, Bytes(100, 0xEE))},
        {"a pre-TDS 7 login", false, packets(2, Bytes(600, 0))},
        {"packet length below the header", false, Bytes{kPrelogin, 1, 0, 4, 0, 0, 1, 0}},
        {"packet longer than TDS allows", false, Bytes{kPrelogin, 1, 0xFF, 0xFF, 0, 0, 1, 0}},
        {"second PRELOGIN after login", true, packets(kPrelogin, preloginPayload())},
        {"second LOGIN7 after login", true, packets(kLogin7, login7Payload({}))},
        {"unknown packet type", true, packets(0x55, Bytes{1, 2, 3})},
        {"packet type changes mid-message", true, joined({firstHalf, rpcAfter})},
        {"request over the size cap", true,
         packets(kSqlBatch, sqlBatchPayload(std::u16string(40 * 1024, u'a')))},
        {"batch with broken headers", true, packets(kSqlBatch, Bytes{0xFF, 0xFF, 0, 0, 1, 2})},
    };
    for (const auto& violation : violations) {
        SCOPED_TRACE(violation.what);
        TdsSocket& client = violation.loginFirst ? startLoggedIn() : start();
        client.send(violation.bytes);
        EXPECT_TRUE(client.closedByServer(5s));
        TearDown();
    }
}

TEST_F(ConnectionTest, ClientsThatStallBeforeLoginOrInsideAPacketAreDropped) {
    using namespace testtds;
    Bytes login = packets(kLogin7, login7Payload({}));
    Bytes batch = packets(kSqlBatch, sqlBatchPayload(u"select 1"));
    struct Stall {
        const char* what;
        bool loginFirst;
        Bytes bytes;
    };
    const Stall stalls[] = {
        {"nothing at all before login", false, {}},
        {"half a header before login", false, Bytes(login.begin(), login.begin() + 4)},
        {"half a LOGIN7 packet", false, Bytes(login.begin(), login.begin() + 40)},
        {"half a batch packet after login", true, Bytes(batch.begin(), batch.begin() + 12)},
    };
    for (const auto& stall : stalls) {
        SCOPED_TRACE(stall.what);
        TdsSocket& client = stall.loginFirst ? startLoggedIn() : start();
        client.send(stall.bytes);
        EXPECT_TRUE(client.closedByServer(5s));
        TearDown();
    }
}

TEST_F(ConnectionTest, AnIdleLoggedInClientIsNotDropped) {
    TdsSocket& client = startLoggedIn();
    std::this_thread::sleep_for(limits_.loginTimeout + limits_.packetTimeout);
    EXPECT_THAT(testtds::doneStatuses(client.query(u"select 1")), ElementsAre(kDoneCount));
}

TEST_F(ConnectionTest, AnEngineExceptionBecomesAnErrorAndTheConnectionGoesOn) {
    TdsSocket& client = startLoggedIn();
    StatementResult broken;
    broken.hasResultSet = true;
    broken.columns = {Column{u"n", ColumnType::Int}};
    broken.rows = {{std::u16string(u"not a number")}};
    engine_.answer(u"broken", BatchResult{{broken}, std::nullopt});
    EXPECT_THAT(testtds::messageNumbers(client.query(u"broken")), ElementsAre(50000));
    EXPECT_THAT(testtds::doneStatuses(client.query(u"select 1")), ElementsAre(kDoneCount));
}

} // namespace
} // namespace tdslite::protocol
