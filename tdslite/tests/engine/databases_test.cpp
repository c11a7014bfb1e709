// Many databases at once, and names that are not plain ASCII.
#include "engine_fixture.h"

namespace tdslite::testing {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST_F(EngineTest, MoreDatabasesThanSqliteAttachesAtOnce) {
    constexpr int kDatabases = 14;
    for (int d = 0; d < kDatabases; ++d) {
        std::string name = "db" + std::to_string(d);
        ok("create database " + name + " use " + name +
           " create table T(n int) insert into T values(" + std::to_string(d) + ") use master");
    }
    for (int round = 0; round < 2; ++round) {
        for (int d = 0; d < kDatabases; ++d) {
            std::string name = "db" + std::to_string(d);
            StatementResult result = ok("select n from " + name + ".dbo.T").statements[0];
            EXPECT_EQ(cells(result), (Rows{{std::to_string(d)}})) << name;
        }
    }
    restart();
    EXPECT_EQ(cells(ok("select n from db13..T").statements[0]), (Rows{{"13"}}));
}

TEST_F(EngineTest, ChineseAndQuotedNames) {
    ok("create database [评分 库]");
    ok("use [评分 库]");
    ok("create table 职务(编号 nvarchar(10) primary key not null, [名 称] nvarchar(10))");
    ok("insert into 职务 values(N'1', N'收银员')");
    StatementResult result =
        ok("select * from \"评分 库\".dbo.职务 where [名 称]=N'收银员'").statements[0];
    EXPECT_EQ(columnNames(result), (std::vector<std::string>{"编号", "名 称"}));
    EXPECT_EQ(cells(result), (Rows{{"1", "收银员"}}));
    restart();
    EXPECT_EQ(
        ok("select * from master.dbo.sysdatabases where name=N'评分 库'").statements[0].rowCount,
        1);
    EXPECT_EQ(
        ok("select * from [评分 库].dbo.sysobjects where name=N'职务'").statements[0].rowCount, 1);
}

} // namespace
} // namespace tdslite::testing
