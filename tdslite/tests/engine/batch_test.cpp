// How a batch of several statements runs: each with its own result, syntax errors stopping it
// before anything runs, run-time errors ending only their statement.
#include "engine_fixture.h"

namespace tdslite::testing {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST_F(EngineTest, SyntaxErrorAnywhereLeavesTheWholeBatchUnrun) {
    initialiseScore();
    BatchResult result = run("insert into jobs values('009','x')\r\n"
                             "delete from jobs where sjobnum=\r\n");
    ASSERT_EQ(result.statements.size(), 1u);
    EXPECT_EQ(errorNumbers(result.statements[0]), std::vector<int>{102});
    EXPECT_EQ(result.statements[0].messages[0].line, 2);
    EXPECT_EQ(ok("select * from jobs where sjobnum='009'").statements[0].rowCount, 0);
}

TEST_F(EngineTest, BadColumnOfAnExistingTableStopsTheBatchBeforeItRuns) {
    initialiseScore();
    BatchResult result = run("insert into jobs values('009','x')\r\nselect nothing from jobs");
    ASSERT_EQ(result.statements.size(), 1u);
    EXPECT_EQ(errorNumbers(result.statements[0]), std::vector<int>{207});
    EXPECT_EQ(ok("select * from jobs where sjobnum='009'").statements[0].rowCount, 0);
}

TEST_F(EngineTest, RunTimeErrorEndsOnlyItsStatement) {
    initialiseScore();
    BatchResult result = run("insert into jobs values('001','dup')\r\n"
                             "insert into jobs values('009','new')\r\n"
                             "select sJobName from jobs where sJobNum='009'");
    ASSERT_EQ(result.statements.size(), 3u);
    EXPECT_TRUE(result.statements[0].failed);
    EXPECT_FALSE(result.statements[0].rowCount.has_value());
    EXPECT_EQ(errorNumbers(result.statements[0]), (std::vector<int>{2627, 3621}));
    EXPECT_EQ(result.statements[0].messages[0].line, 1);
    EXPECT_FALSE(result.statements[1].failed);
    EXPECT_EQ(result.statements[1].rowCount, 1);
    EXPECT_EQ(cells(result.statements[2]), (Rows{{"new"}}));
}

TEST_F(EngineTest, MissingTableAtRunTimeEndsTheRestOfTheBatch) {
    initialiseScore();
    BatchResult result = run("insert into jobs values('009','x')\r\n"
                             "select * from Nothing\r\n"
                             "insert into jobs values('010','y')");
    ASSERT_EQ(result.statements.size(), 2u);
    EXPECT_EQ(result.statements[0].rowCount, 1);
    EXPECT_EQ(errorNumbers(result.statements[1]), std::vector<int>{208});
    EXPECT_EQ(result.statements[1].messages[0].line, 2);
    EXPECT_EQ(ok("select * from jobs where sjobnum='010'").statements[0].rowCount, 0);
}

TEST_F(EngineTest, BeginEndBlocksInAnyCaseAreJustStatements) {
    initialiseScore();
    for (const char* batch : {"begin delete from jobs where sjobnum='001' end",
                              "BEGIN\ndelete from jobs where sjobnum='002'\nEND",
                              "Begin\r\n  begin delete from jobs where sjobnum='003' End\r\nend"}) {
        BatchResult result = ok(batch);
        ASSERT_EQ(result.statements.size(), 1u) << batch;
        EXPECT_EQ(result.statements[0].rowCount, 1) << batch;
    }
    EXPECT_EQ(errorNumbers(run("begin delete from jobs").statements[0]), std::vector<int>{102});
}

TEST_F(EngineTest, StatementsNeedNoSeparatorButMayHaveSemicolons) {
    initialiseScore();
    BatchResult result = ok("select * from jobs select count(*) from jobs;select 1;;\n"
                            "update jobs set sJobName='a' where sJobNum='001'");
    ASSERT_EQ(result.statements.size(), 4u);
    EXPECT_EQ(result.statements[0].rowCount, 3);
    EXPECT_EQ(cells(result.statements[1]), (Rows{{"3"}}));
    EXPECT_EQ(cells(result.statements[2]), (Rows{{"1"}}));
    EXPECT_EQ(result.statements[3].rowCount, 1);
}

TEST_F(EngineTest, ClientSetStatementsAreAcceptedWithoutCounts) {
    BatchResult result =
        ok("set textsize 2147483647 set quoted_identifier on set ansi_nulls on\r\n"
           "SET ANSI_WARNINGS ON; SET ANSI_PADDING ON; set concat_null_yields_null on\r\n"
           "set arithabort on set implicit_transactions off set language us_english\r\n"
           "set dateformat mdy set datefirst 7\r\n"
           "set transaction isolation level read committed\r\n");
    ASSERT_EQ(result.statements.size(), 12u);
    for (const auto& statement : result.statements) {
        EXPECT_FALSE(statement.rowCount.has_value());
        EXPECT_FALSE(statement.hasResultSet);
    }
}

TEST_F(EngineTest, NoCountRemovesRowCounts) {
    initialiseScore();
    BatchResult result = ok("set nocount on\r\nselect * from jobs\r\nset nocount off\r\n"
                            "select * from jobs");
    ASSERT_EQ(result.statements.size(), 4u);
    EXPECT_FALSE(result.statements[1].rowCount.has_value());
    EXPECT_EQ(result.statements[1].rows.size(), 3u);
    EXPECT_EQ(result.statements[3].rowCount, 3);
}

TEST_F(EngineTest, UseChangesTheDatabaseAndSaysSo) {
    ok("create database score");
    BatchResult result = ok("use score");
    ASSERT_EQ(result.newDatabase, u"score");
    ASSERT_EQ(result.statements.size(), 1u);
    ASSERT_EQ(result.statements[0].messages.size(), 1u);
    const Message& info = result.statements[0].messages[0];
    EXPECT_EQ(info.number, 5701);
    EXPECT_EQ(info.kind, MessageClass::Info);
    EXPECT_EQ(info.severity, 0);
    EXPECT_EQ(u8(info.text), "Changed database context to 'score'.");
    EXPECT_EQ(session_->currentDatabase(), u"score");
    EXPECT_FALSE(ok("select 1").newDatabase.has_value());
    EXPECT_EQ(ok("USE Master").newDatabase, u"master");
}

TEST_F(EngineTest, ConstantsAndSessionFunctions) {
    BatchResult result = ok("select @@spid select db_name() select @@version select getdate()");
    ASSERT_EQ(result.statements.size(), 4u);
    EXPECT_EQ(result.statements[0].columns.at(0).type, ColumnType::Int);
    EXPECT_TRUE(result.statements[0].columns[0].name.empty());
    auto other = connect();
    auto spid = std::get<std::int64_t>(result.statements[0].rows.at(0).at(0));
    auto otherSpid = std::get<std::int64_t>(run(*other, "select @@spid").statements[0].rows[0][0]);
    EXPECT_NE(spid, otherSpid);
    EXPECT_EQ(std::get<std::int64_t>(ok("select @@spid").statements[0].rows[0][0]), spid);
    EXPECT_EQ(cells(result.statements[1]), (Rows{{"master"}}));
    EXPECT_EQ(u8(std::get<std::u16string>(result.statements[2].rows[0][0]))
                  .rfind("Microsoft SQL Server", 0),
              0u);
    EXPECT_EQ(result.statements[3].columns[0].type, ColumnType::DateTime);
    EXPECT_GT(std::get<DateTime>(result.statements[3].rows[0][0]).days, 40000);
}

} // namespace
} // namespace tdslite::testing
