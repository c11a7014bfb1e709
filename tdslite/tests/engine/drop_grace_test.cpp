// A client that closes its connection and at once drops the database it was in: the server
// may not have noticed the closed socket yet, so the drop waits a moment for such sessions.
#include "engine_fixture.h"

#include <chrono>
#include <thread>

namespace tdslite::testing {
namespace {

using namespace std::chrono_literals;

TEST_F(EngineTest, DropWaitsForASessionThatIsEnding) {
    initialiseScore();
    ok("use master");
    std::unique_ptr<Session> leaving = connect("sa", "", "score");
    std::thread closer([&] {
        std::this_thread::sleep_for(200ms);
        leaving.reset();
    });
    const BatchResult dropped = run("drop database score");
    closer.join();
    EXPECT_TRUE(errorNumbers(dropped.statements.at(0)).empty());
    EXPECT_EQ(ok("select * from sysdatabases where name='score'").statements[0].rowCount, 0);
}

TEST_F(EngineTest, DropGivesUpOnASessionThatStays) {
    initialiseScore();
    ok("use master");
    std::unique_ptr<Session> staying = connect("sa", "", "score");
    EXPECT_EQ(errorNumbers(run("drop database score").statements.at(0)), std::vector<int>{3702});
    EXPECT_EQ(run(*staying, "select * from Jobs").statements.at(0).rowCount, 3);
}

TEST_F(EngineTest, OtherBatchesRunWhileADropWaits) {
    initialiseScore();
    ok("use master");
    std::unique_ptr<Session> staying = connect("sa", "", "score");
    std::unique_ptr<Session> reader = connect();
    std::thread dropper([&] { run("drop database score"); });
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(run(*reader, "select * from score.dbo.Jobs").statements.at(0).rowCount, 3);
    dropper.join();
}

} // namespace
} // namespace tdslite::testing
