// Data outlive the server process: a clean restart, and a kill -9 in the middle of writes.
#include "tdslite_fixture.h"

#include <gmock/gmock.h>

#include <atomic>
#include <set>
#include <thread>

namespace tdslite::odbctest {
namespace {

using ::testing::ElementsAre;

class PersistenceTest : public TdsliteTest {};

TEST_F(PersistenceTest, EverythingSurvivesARestart) {
    createInitialisedScore();
    {
        auto catalog = connect("score");
        run(*catalog, "insert into wkinfo(swknums,swkname,swksex,swkjobnum) "
                      "values(N'001',N'张三',0,N'002')\r\n");
        run(*catalog, "update wkinfo set WkPhoto=0xFFD8FFE000 where sWkNums=N'001'\r\n");
    }
    server_.restart();
    auto catalog = connect("score");
    auto staff = run(*catalog, "select * from wkinfo\r\n").firstResultSet();
    ASSERT_EQ(staff.rows.size(), 1u);
    EXPECT_EQ(staff.rows[0][1].text, "张三");
    EXPECT_EQ(hexOf(staff.rows[0][4].bytes), "FFD8FFE000");
    EXPECT_EQ(run(*catalog, "select * from Jobs\r\n").firstResultSet().rows.size(), 3u);
}

TEST_F(PersistenceTest, EveryAcknowledgedWriteSurvivesAKillInTheMiddleOfWrites) {
    createInitialisedScore();
    std::atomic<int> acknowledged{0};
    std::atomic<bool> serverGone{false};
    std::thread writer([&] {
        auto catalog = connect("score");
        for (int i = 0; !serverGone; ++i) {
            auto outcome = catalog->execute("insert into Scores values(N'" + std::to_string(i) +
                                            "',N'001',1.5,N'ip',N'备注',getdate())\r\n");
            if (!outcome.succeeded()) {
                return;
            }
            acknowledged = i + 1;
        }
    });
    while (acknowledged < 50) {
        std::this_thread::yield();
    }
    server_.kill9();
    serverGone = true;
    writer.join();

    server_.restart();
    auto catalog = connect("score");
    auto scores = run(*catalog, "select sWkNum from Scores\r\n").firstResultSet();
    ASSERT_GE(scores.rows.size(), static_cast<std::size_t>(acknowledged.load()));
    std::set<std::string> kept;
    for (const auto& row : scores.rows) {
        kept.insert(row[0].text);
    }
    for (int i = 0; i < acknowledged; ++i) {
        EXPECT_TRUE(kept.count(std::to_string(i))) << "acknowledged row " << i << " lost";
    }
    EXPECT_TRUE(run(*catalog, "insert into Jobs values(N'100',N'重启后')\r\n").succeeded());
}

} // namespace
} // namespace tdslite::odbctest
