// Every statement the set-up program sends, verbatim (each line followed by \r\n, as its gateway
// sends them), in the order a session of the program would, with SQL Server's answers.
#include "engine_fixture.h"

#include <optional>

namespace tdslite::testing {
namespace {

using Rows = std::vector<std::vector<std::string>>;

struct Step {
    std::string sql;
    std::optional<std::int64_t> rowCount; // of the last statement of the batch
    std::vector<std::string> columns;     // checked when not empty
    Rows rows;                            // checked when columns are given
};

const std::vector<std::string> kWkInfoColumns = {"sWkNums", "sWkName", "sWkSex", "sWkJobNum",
                                                 "WkPhoto"};
const std::vector<std::string> kJoinColumns = {"sWkNums", "sWkName", "sWkSex",  "sWkJobNum",
                                               "WkPhoto", "sJobNum", "sJobName"};

TEST_F(EngineTest, ProgramStatementsGiveSqlServersAnswers) {
    ok("create database score\r\n");
    auto catalog = connect("sa", "", "score");
    const std::vector<Step> steps = {
        {"select * from Jobs\r\n",
         3,
         {"sJobNum", "sJobName"},
         {{"001", "收银员"}, {"002", "网管"}, {"003", "技术员"}}},
        {"select * from jobs where sjobname='网管'\r\n",
         1,
         {"sJobNum", "sJobName"},
         {{"002", "网管"}}},
        {"insert into Jobs values('004','保安')\r\n", 1, {}, {}},
        {"insert into Jobs values(N'005',N'a:b')\r\n", 1, {}, {}},
        {"update Jobs set sJobName='保洁' where sJobNum='004'\r\n", 1, {}, {}},
        {"insert into wkinfo(swknums,swkname,swksex,swkjobnum) values('001','张三',0,'001')\r\n",
         1,
         {},
         {}},
        {"insert into wkinfo(swknums,swkname,swksex,swkjobnum) values(N'002',N'李四',1,N'004')\r\n",
         1,
         {},
         {}},
        {"insert into wkinfo(swknums,swkname,swksex,swkjobnum) values('003','王五',0,'')\r\n",
         1,
         {},
         {}},
        {"select * from wkinfo where swknums='001'\r\n",
         1,
         kWkInfoColumns,
         {{"001", "张三", "0", "001", "NULL"}}},
        {"update wkinfo set WkPhoto=0xFFD8FFE000 where sWkNums=N'001'\r\n", 1, {}, {}},
        {"select * from (wkinfo inner join jobs on wkinfo.swkjobnum=jobs.sjobnum)\r\n",
         2,
         kJoinColumns,
         {{"001", "张三", "0", "001", "0xFFD8FFE000", "001", "收银员"},
          {"002", "李四", "1", "004", "NULL", "004", "保洁"}}},
        {"update wkinfo set swkname='赵六',swksex=1,swkjobnum='002' where swknums='001'\r\n",
         1,
         {},
         {}},
        {"select * from wkinfo where swknums='001'\r\n",
         1,
         kWkInfoColumns,
         {{"001", "赵六", "1", "002", "0xFFD8FFE000"}}},
        {"select COLUMN_NAME from INFORMATION_SCHEMA.KEY_COLUMN_USAGE where "
         "TABLE_NAME='WkInfo'\r\n",
         1,
         {"COLUMN_NAME"},
         {{"sWkNums"}}},
        {"select kcu.COLUMN_NAME from score.INFORMATION_SCHEMA.TABLE_CONSTRAINTS as tc inner "
         "join score.INFORMATION_SCHEMA.KEY_COLUMN_USAGE as kcu on kcu.CONSTRAINT_SCHEMA = "
         "tc.CONSTRAINT_SCHEMA and kcu.CONSTRAINT_NAME = tc.CONSTRAINT_NAME where "
         "tc.CONSTRAINT_TYPE = N'PRIMARY KEY' and tc.TABLE_NAME = N'wkinfo' and tc.TABLE_SCHEMA "
         "= N'dbo' order by kcu.ORDINAL_POSITION",
         1,
         {"COLUMN_NAME"},
         {{"sWkNums"}}},
        {"delete from wkinfo where swknums='001' and swkname='张三'\r\n", 0, {}, {}},
        {"delete from wkinfo where swknums='001' and swkname='赵六'\r\n", 1, {}, {}},
        {"delete from scores where swknum='001'\r\n", 0, {}, {}},
        {"delete from score.dbo.jobs where sJobNum='004' AND sJobName='保洁'\r\n", 1, {}, {}},
        {"begin\r\ndelete from score.dbo.wkinfo where swkjobnum='004'\r\n"
         "delete from score.dbo.scores where swkjobnum='004'\r\nend\r\n",
         0,
         {},
         {}},
        {"select * from wkinfo\r\n", 1, kWkInfoColumns, {{"003", "王五", "0", "", "NULL"}}},
    };
    for (const auto& statement : run(*catalog, kInitialisationBatch).statements) {
        ASSERT_FALSE(statement.failed);
    }
    for (const Step& step : steps) {
        SCOPED_TRACE(step.sql);
        BatchResult result = run(*catalog, step.sql);
        ASSERT_FALSE(result.statements.empty());
        const StatementResult& last = result.statements.back();
        for (const auto& statement : result.statements) {
            EXPECT_FALSE(statement.failed)
                << (statement.messages.empty() ? "" : u8(statement.messages[0].text));
        }
        EXPECT_EQ(last.rowCount, step.rowCount);
        if (!step.columns.empty()) {
            EXPECT_TRUE(last.hasResultSet);
            EXPECT_EQ(columnNames(last), step.columns);
            EXPECT_EQ(cells(last), step.rows);
        }
    }
}

TEST_F(EngineTest, InitialisationBatchRunsEachStatementWithItsOwnResult) {
    ok("create database score");
    auto catalog = connect("sa", "", "score");
    BatchResult result = run(*catalog, "Begin\r\n"
                                       "  create table Jobs(sJobNum nvarchar(50) primary key not "
                                       "null,sJobName nvarchar(50) not null)\r\n"
                                       "  insert into jobs values('001','收银员')\r\n"
                                       "  insert into jobs values('002','网管')\r\n"
                                       "End\r\n");
    ASSERT_EQ(result.statements.size(), 3u);
    EXPECT_FALSE(result.statements[0].rowCount.has_value());
    EXPECT_EQ(result.statements[1].rowCount, 1);
    EXPECT_EQ(result.statements[2].rowCount, 1);
}

TEST_F(EngineTest, InitialisingTwiceFailsAndKeepsOneCopyOfEachPosition) {
    initialiseScore();
    BatchResult second = run("Begin\r\n"
                             "  create table Jobs(sJobNum nvarchar(50) primary key not "
                             "null,sJobName nvarchar(50) not null)\r\n"
                             "  insert into jobs values('001','收银员')\r\n"
                             "End\r\n");
    ASSERT_EQ(second.statements.size(), 2u);
    EXPECT_EQ(errorNumbers(second.statements[0]), std::vector<int>{2714});
    EXPECT_EQ(errorNumbers(second.statements[1]), (std::vector<int>{2627, 3621}));
    EXPECT_EQ(cells(ok("select * from Jobs").statements[0]).size(), 3u);
}

TEST_F(EngineTest, ConnectionCheckFindsScoreDespiteTheTrailingSpace) {
    const std::string check = "select * from master.dbo.sysdatabases where name='score '\r\n";
    EXPECT_EQ(ok(check).statements[0].rowCount, 0);
    ok("create database score\r\n");
    StatementResult found = ok(check).statements[0];
    ASSERT_EQ(found.rowCount, 1);
    EXPECT_EQ(show(found.rows[0][0]), "score");
    std::vector<std::string> names = columnNames(found);
    EXPECT_EQ(names, (std::vector<std::string>{"name", "dbid", "sid", "mode", "status", "status2",
                                               "crdate", "reserved", "category", "cmptlevel",
                                               "filename", "version"}));
    EXPECT_EQ(found.columns[0].type, ColumnType::NVarChar);
    EXPECT_EQ(found.columns[0].length, 128);
    EXPECT_EQ(found.columns[6].type, ColumnType::DateTime);
}

TEST_F(EngineTest, StatisticsCheckCountsTheThreeTables) {
    const std::string check =
        "select * from score.dbo.sysobjects where name='Jobs' or name='Scores' or "
        "name='WkInfo'\r\n";
    BatchResult missing = run(check);
    ASSERT_EQ(missing.statements.size(), 1u);
    EXPECT_EQ(errorNumbers(missing.statements[0]), std::vector<int>{208});
    EXPECT_EQ(u8(missing.statements[0].messages[0].text),
              "Invalid object name 'score.dbo.sysobjects'.");
    ok("create database score");
    EXPECT_EQ(ok(check).statements[0].rowCount, 0);
    ok("use score");
    ok("create table Jobs(sJobNum nvarchar(50) primary key not null,sJobName nvarchar(50) not "
       "null)");
    EXPECT_EQ(ok(check).statements[0].rowCount, 1);
    ok("use master");
    run("drop database score");
    initialiseScore();
    StatementResult all = ok(check).statements[0];
    ASSERT_EQ(all.rowCount, 3);
    std::vector<std::string> names = columnNames(all);
    ASSERT_GE(names.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 4),
              (std::vector<std::string>{"name", "id", "xtype", "uid"}));
    for (const auto& row : cells(all)) {
        EXPECT_EQ(row[2], "U ");
    }
    StatementResult keys =
        ok("select name, xtype, type from sysobjects where xtype='PK'").statements[0];
    ASSERT_EQ(keys.rowCount, 2);
    for (const auto& row : cells(keys)) {
        EXPECT_EQ(row[0].rfind("PK__", 0), 0u) << row[0];
        EXPECT_EQ(row[1], "PK");
        EXPECT_EQ(row[2], "K ");
    }
}

TEST_F(EngineTest, CreateAndDropDatabaseFromTheServerLevel) {
    BatchResult created = ok("create database score\r\n");
    ASSERT_EQ(created.statements.size(), 1u);
    EXPECT_FALSE(created.statements[0].rowCount.has_value());
    BatchResult again = run("create database score\r\n");
    EXPECT_EQ(errorNumbers(again.statements[0]), std::vector<int>{1801});
    ok("drop database score\r\n");
    EXPECT_EQ(errorNumbers(run("drop database score\r\n").statements[0]), std::vector<int>{3701});
}

} // namespace
} // namespace tdslite::testing
