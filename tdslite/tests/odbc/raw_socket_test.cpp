// Requests no ODBC driver would send, on their own sockets, next to an ordinary client
// that must not notice them.
#include "tds_socket.h"
#include "tdslite_fixture.h"

#include <gmock/gmock.h>

#include <thread>

namespace tdslite::odbctest {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;
using testtds::Bytes;
using testtds::TdsSocket;

class RawSocketTest : public TdsliteTest {
protected:
    void SetUp() override {
        createInitialisedScore();
        bystander_ = connect("score");
        expectBystanderWorks();
    }

    void expectBystanderWorks() {
        auto jobs = bystander_->execute("select * from Jobs\r\n");
        ASSERT_TRUE(jobs.succeeded()) << describe(jobs);
        EXPECT_EQ(jobs.firstResultSet().rows.size(), 3u);
    }

    TdsSocket raw() { return TdsSocket::connectTo(server_.port()); }

    std::unique_ptr<OdbcConnection> bystander_;
};

TEST_F(RawSocketTest, RpcIsRefusedAndBothConnectionsStayUsable) {
    TdsSocket client = raw();
    client.login();
    client.send(testtds::packets(testtds::kRpc, testtds::rpcPayload(u"sp_executesql")));
    auto refused = testtds::parseTokens(client.readReply());
    EXPECT_THAT(testtds::messageNumbers(refused), ElementsAre(2812));
    expectBystanderWorks();
    EXPECT_THAT(testtds::messageNumbers(client.query(u"select * from NoSuchTable")),
                ElementsAre(208));
}

TEST_F(RawSocketTest, MalformedPacketsCloseOnlyTheirOwnConnection) {
    const std::vector<Bytes> garbage{
        Bytes{0x12, 0x01, 0x00, 0x02, 0, 0, 0, 0},
        testtds::packets(testtds::kLogin7, Bytes(200, 0x41)),
        testtds::packets(testtds::kSqlBatch, testtds::sqlBatchPayload(u"select 1")),
        Bytes(5000, 0xFF),
    };
    for (const auto& bytes : garbage) {
        TdsSocket client = raw();
        client.send(bytes);
        EXPECT_TRUE(client.closedByServer(10s));
        expectBystanderWorks();
    }
}

TEST_F(RawSocketTest, HalfSentPacketsDoNotHoldUpOtherClients) {
    std::vector<TdsSocket> stalled;
    for (int i = 0; i < 5; ++i) {
        stalled.push_back(raw());
        stalled.back().send(Bytes{0x10, 0x01, 0x01, 0x00, 0, 0, 1, 0, 1, 2, 3});
    }
    expectBystanderWorks();
    auto another = connect("score");
    EXPECT_TRUE(another->execute("select * from Jobs\r\n").succeeded());
}

TEST_F(RawSocketTest, ManyGarbageClientsAtOnceLeaveTheServerServing) {
    std::vector<std::thread> attackers;
    for (int i = 0; i < 20; ++i) {
        attackers.emplace_back([this, i] {
            TdsSocket client = raw();
            Bytes noise(3000 + i * 97);
            for (std::size_t k = 0; k < noise.size(); ++k) {
                noise[k] = static_cast<std::uint8_t>(k * 31 + i);
            }
            try {
                client.send(noise);
            } catch (const std::exception&) {
                // The server may close before all of it is sent.
            }
        });
    }
    for (auto& attacker : attackers) {
        attacker.join();
    }
    expectBystanderWorks();
}

TEST_F(RawSocketTest, MissingInitialDatabaseSends4060Then18456) {
    TdsSocket client = raw();
    testtds::LoginFields fields;
    fields.database = u"nosuch";
    EXPECT_THAT(testtds::messageNumbers(client.login(fields)), ElementsAre(4060, 18456));
    EXPECT_TRUE(client.closedByServer());
}

TEST_F(RawSocketTest, UseChangesTheDatabaseWithAnEnvChange) {
    TdsSocket client = raw();
    auto login = client.login();
    ASSERT_EQ(login[0].envType, 1);
    EXPECT_EQ(login[0].text, u"master");
    auto tokens = client.query(u"use score");
    bool changed = false;
    for (const auto& token : tokens) {
        changed = changed || (token.type == 0xE3 && token.envType == 1 && token.text == u"score");
    }
    EXPECT_TRUE(changed);
    EXPECT_THAT(testtds::messageNumbers(client.query(u"select * from Jobs")), ElementsAre());
}

} // namespace
} // namespace tdslite::odbctest
