// Many sessions on many threads at once.
#include "engine_fixture.h"

#include <thread>

namespace tdslite::testing {
namespace {

TEST_F(EngineTest, SessionsOnSeveralThreadsKeepEveryRow) {
    initialiseScore();
    constexpr int kThreads = 4;
    constexpr int kRows = 50;
    std::vector<std::unique_ptr<Session>> sessions;
    for (int t = 0; t < kThreads; ++t) {
        sessions.push_back(connect("sa", "", "score"));
    }
    std::vector<std::thread> threads;
    std::vector<int> failures(kThreads, 0);
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kRows; ++i) {
                std::string key = std::to_string(t) + "-" + std::to_string(i);
                BatchResult result = sessions[t]->execute(
                    u16("insert into wkinfo(swknums,swkname,swksex,swkjobnum) values('" + key +
                        "','n',0,'001')\r\nselect * from (wkinfo inner join jobs on "
                        "wkinfo.swkjobnum=jobs.sjobnum)"));
                if (result.statements.size() != 2 || result.statements[0].failed ||
                    result.statements[1].failed) {
                    ++failures[t];
                }
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    for (int t = 0; t < kThreads; ++t) {
        EXPECT_EQ(failures[t], 0) << t;
    }
    StatementResult count = ok("select count(*) from score.dbo.wkinfo").statements[0];
    EXPECT_EQ(std::get<std::int64_t>(count.rows.at(0).at(0)), kThreads * kRows);
}

} // namespace
} // namespace tdslite::testing
