// SQL Server's error numbers reaching the client as ODBC native errors, and batches that
// go on after a failing statement.
#include "tdslite_fixture.h"

#include <gmock/gmock.h>

#include <chrono>
#include <thread>

namespace tdslite::odbctest {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class ErrorsTest : public TdsliteTest {
protected:
    ErrorsTest()
        : TdsliteTest({{"--login", "reader:r:reader", "--login", "writer:w:writer"}, ""}) {}
};

struct ErrorCase {
    const char* user;
    const char* password;
    const char* database;
    const char* statement;
    std::vector<int> nativeErrors;
};

TEST_F(ErrorsTest, EachFailureCarriesSqlServersNumber) {
    createInitialisedScore();
    const ErrorCase cases[] = {
        {"sa", "", "score", "selec * from Jobs\r\n", {102}},
        {"sa", "", "score", "select * from NoSuchTable\r\n", {208}},
        {"reader", "r", "score", "insert into Jobs values(N'009',N'x')\r\n", {229}},
        {"writer", "w", "", "create database other\r\n", {262}},
        {"sa", "", "", "create database score\r\n", {1801}},
        {"sa", "", "score", "insert into jobs values('001','收银员')\r\n", {2627, 3621}},
        {"sa", "", "score", "insert into jobs values('001 ','x')\r\n", {2627, 3621}},
        {"sa", "", "score", "create table Jobs(sJobNum nvarchar(50))\r\n", {2714}},
        {"sa", "", "", "drop database nosuch\r\n", {3701}},
        {"sa",
         "",
         "score",
         "insert into jobs values('012345678901234567890123456789012345678901234567890','x')\r\n",
         {8152, 3621}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.statement);
        auto connection = connect(c.database, c.user, c.password);
        BatchOutcome outcome = connection->execute(c.statement);
        EXPECT_FALSE(outcome.succeeded());
        EXPECT_THAT(outcome.nativeErrors(), ElementsAreArray(c.nativeErrors)) << describe(outcome);
    }
    auto catalog = connect("score");
    auto jobs = run(*catalog, "select * from Jobs\r\n").firstResultSet();
    EXPECT_EQ(jobs.rows.size(), 3u) << "no failed statement changed anything";
}

TEST_F(ErrorsTest, DroppingADatabaseAnotherConnectionUsesFailsWith3702) {
    createInitialisedScore();
    auto user = connect("score");
    auto admin = connect();
    EXPECT_THAT(admin->execute("drop database score\r\n").nativeErrors(), ElementsAre(3702));
    user.reset();
    // The server learns of the disconnect a moment later, as SQL Server does.
    bool dropped = false;
    for (int attempt = 0; attempt < 100 && !dropped; ++attempt) {
        dropped = admin->execute("drop database score\r\n").succeeded();
        if (!dropped) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    EXPECT_TRUE(dropped);
}

TEST_F(ErrorsTest, AFailingStatementDoesNotStopTheRestOfTheBatch) {
    createInitialisedScore();
    auto catalog = connect("score");
    BatchOutcome outcome = catalog->execute("insert into Jobs values(N'010',N'a')\r\n"
                                            "insert into Jobs values(N'001',N'dup')\r\n"
                                            "insert into Jobs values(N'011',N'b')\r\n");
    EXPECT_THAT(outcome.nativeErrors(), ElementsAre(2627, 3621)) << describe(outcome);
    auto jobs =
        run(*catalog, "select sJobNum from Jobs where sJobNum=N'010' or sJobNum=N'011'\r\n");
    EXPECT_THAT(column(jobs.firstResultSet(), 0), ElementsAre("010", "011"));
}

TEST_F(ErrorsTest, MoreResultsWalksEveryResultOfABatchPastAFailure) {
    createInitialisedScore();
    auto catalog = connect("score");
    BatchOutcome outcome = catalog->execute("select * from Jobs where sJobNum=N'001'\r\n"
                                            "insert into Jobs values(N'002',N'dup')\r\n"
                                            "select * from Jobs where sJobNum=N'003'\r\n");
    std::vector<std::vector<std::string>> firstColumns;
    for (const auto& part : outcome.parts) {
        if (!part.columnNames.empty()) {
            firstColumns.push_back(column(part, 0));
        }
    }
    EXPECT_THAT(firstColumns, ElementsAre(ElementsAre("001"), ElementsAre("003")))
        << describe(outcome);
    EXPECT_THAT(outcome.nativeErrors(), ElementsAre(2627, 3621));
}

TEST_F(ErrorsTest, ASyntaxErrorStopsTheWholeBatchBeforeItRuns) {
    createInitialisedScore();
    auto catalog = connect("score");
    BatchOutcome outcome =
        catalog->execute("insert into Jobs values(N'020',N'a')\r\nselec * from Jobs\r\n");
    EXPECT_THAT(outcome.nativeErrors(), ElementsAre(102));
    EXPECT_TRUE(
        run(*catalog, "select * from Jobs where sJobNum=N'020'\r\n").firstResultSet().rows.empty());
}

} // namespace
} // namespace tdslite::odbctest
