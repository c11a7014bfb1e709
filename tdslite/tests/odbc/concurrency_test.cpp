// Several clients at once on one server: writes of each are all kept, reads never fail.
#include "tdslite_fixture.h"

#include <gmock/gmock.h>

#include <atomic>
#include <thread>

namespace tdslite::odbctest {
namespace {

class ConcurrencyTest : public TdsliteTest {};

TEST_F(ConcurrencyTest, ThreeClientsWriteAndReadAtTheSameTime) {
    createInitialisedScore();
    constexpr int kClients = 3;
    constexpr int kRowsEach = 40;
    std::atomic<int> failures{0};
    std::vector<std::thread> clients;
    for (int client = 0; client < kClients; ++client) {
        clients.emplace_back([&, client] {
            auto connection = connect("score");
            for (int i = 0; i < kRowsEach; ++i) {
                std::string key = std::to_string(client) + "-" + std::to_string(i);
                auto insert = connection->execute("insert into Jobs values(N'" + key + "',N'岗位" +
                                                  key + "')\r\n");
                auto read =
                    connection->execute("select * from Jobs where sJobNum=N'" + key + "'\r\n");
                bool seen =
                    read.succeeded() && !read.parts.empty() && read.parts[0].rows.size() == 1;
                if (!insert.succeeded() || !seen) {
                    ++failures;
                }
            }
        });
    }
    for (auto& client : clients) {
        client.join();
    }
    EXPECT_EQ(failures.load(), 0);
    auto catalog = connect("score");
    EXPECT_EQ(run(*catalog, "select * from Jobs\r\n").firstResultSet().rows.size(),
              3u + kClients * kRowsEach);
}

} // namespace
} // namespace tdslite::odbctest
