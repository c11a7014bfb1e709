// Text through the collation: the code page of plain literals, case and trailing spaces.
#include "engine_fixture.h"

namespace tdslite::testing {
namespace {

using Rows = std::vector<std::vector<std::string>>;

struct LiteralCase {
    std::string collation;
    std::string literal;
    std::string stored;
};

class LiteralTest : public EngineTest, public ::testing::WithParamInterface<LiteralCase> {};

TEST_P(LiteralTest, PlainLiteralsPassThroughTheCodePage) {
    const LiteralCase& c = GetParam();
    restart(c.collation);
    initialiseScore();
    ok("insert into jobs values('100'," + c.literal + ")");
    StatementResult result = ok("select sJobName from jobs where sJobNum='100'").statements[0];
    EXPECT_EQ(cells(result), (Rows{{c.stored}}));
}

const LiteralCase kLiterals[] = {
    {"Chinese_PRC_CI_AS", "'收银员'", "收银员"},
    {"Chinese_PRC_CI_AS", "N'收银员'", "收银员"},
    {"Chinese_PRC_CI_AS", "'café €'", "café €"},
    {"Chinese_PRC_CI_AS", "'Émile ก'", "?mile ?"},
    {"Chinese_PRC_CI_AS", "N'café €'", "café €"},
    {"SQL_Latin1_General_CP1_CI_AS", "'收银员'", "???"},
    {"SQL_Latin1_General_CP1_CI_AS", "N'收银员'", "收银员"},
    {"SQL_Latin1_General_CP1_CI_AS", "'café €'", "café €"},
    {"SQL_Latin1_General_CP1_CI_AS", "'Привет'", "??????"},
};

INSTANTIATE_TEST_SUITE_P(CodePages, LiteralTest, ::testing::ValuesIn(kLiterals));

TEST_F(EngineTest, SeedPositionsLoseTheirChineseUnderALatinCollation) {
    restart("SQL_Latin1_General_CP1_CI_AS");
    initialiseScore();
    EXPECT_EQ(cells(ok("select sJobName from Jobs").statements[0]),
              (Rows{{"???"}, {"??"}, {"???"}}));
    // The look-up by name goes through the same code page, so it still finds a row.
    EXPECT_EQ(ok("select * from jobs where sjobname='网管'").statements[0].rowCount, 1);
    EXPECT_EQ(ok("select * from jobs where sjobname=N'网管'").statements[0].rowCount, 0);
}

TEST_F(EngineTest, CollationIdentityForTheLoginReply) {
    EXPECT_EQ(engine_->collationName(), "Chinese_PRC_CI_AS");
    EXPECT_EQ(engine_->collationLcid(), 0x00D00804u);
    EXPECT_EQ(engine_->collationSortId(), 0);
    restart("SQL_Latin1_General_CP1_CI_AS");
    EXPECT_EQ(engine_->collationLcid(), 0x00D00409u);
    EXPECT_EQ(engine_->collationSortId(), 52);
}

TEST_F(EngineTest, UnknownCollationIsRefused) {
    EngineConfig config;
    config.dataDir = dataDir_.string();
    config.collation = "Klingon_CI_AS";
    EXPECT_THROW(makeEngine(config), std::invalid_argument);
}

struct ComparisonCase {
    std::string where;
    std::int64_t rows;
};

class ComparisonTest : public EngineTest, public ::testing::WithParamInterface<ComparisonCase> {};

TEST_P(ComparisonTest, StringsCompareWithoutCaseOrTrailingSpaces) {
    initialiseScore();
    ok("insert into wkinfo(swknums,swkname,swksex,swkjobnum) values('A01',N'Émile',0,'001')");
    StatementResult result = ok("select * from wkinfo where " + GetParam().where).statements[0];
    EXPECT_EQ(result.rowCount, GetParam().rows) << GetParam().where;
}

const ComparisonCase kComparisons[] = {
    {"swknums='A01'", 1},
    {"swknums='a01'", 1},
    {"swknums='a01   '", 1},
    {"swknums=N'A01 '", 1},
    {"swknums=' A01'", 0},
    {"swkname='émile'", 1},
    {"swkname='EMILE'", 0},
    {"SWKNAME=N'ÉMILE'", 1},
    {"swksex=0", 1},
    {"swksex='0'", 1},
    {"swknums<>'a01'", 0},
    {"swkjobnum='001' and swksex=1", 0},
    {"(swkjobnum='002' or swksex=0) AND swknums='A01'", 1},
    {"wkinfo.swknums='A01'", 1},
    {"score.dbo.wkinfo.swknums='A01'", 1},
    {"WkPhoto is null", 1},
};

INSTANTIATE_TEST_SUITE_P(Collation, ComparisonTest, ::testing::ValuesIn(kComparisons));

TEST_F(EngineTest, NamesIgnoreCaseAndKeepTheirCreatedSpelling) {
    initialiseScore();
    StatementResult result =
        ok("SELECT SJOBNUM, jobs.SJOBNAME FROM JOBS WHERE SJOBNUM='001'").statements[0];
    EXPECT_EQ(columnNames(result), (std::vector<std::string>{"sJobNum", "sJobName"}));
    EXPECT_EQ(ok("select * from SCORE.DBO.jobs").statements[0].rowCount, 3);
    EXPECT_EQ(ok("select * from dbo.JOBS").statements[0].rowCount, 3);
    EXPECT_EQ(
        ok("select j.sJobNum from [Jobs] as j where j.[sJobName]='网管'").statements[0].rowCount,
        1);
}

TEST_F(EngineTest, CharColumnsArePaddedAndLengthsEnforced) {
    initialiseScore();
    ok("create table Codes(c char(4) primary key not null, t nvarchar(3) null)");
    ok("insert into Codes values('ab', N'收银员')");
    EXPECT_EQ(cells(ok("select c from Codes").statements[0]), (Rows{{"ab  "}}));
    EXPECT_EQ(errorNumbers(run("insert into Codes values('ab ', null)").statements[0]),
              (std::vector<int>{2627, 3621}));
    // Two GBK bytes a character: three Chinese characters need six.
    EXPECT_EQ(errorNumbers(run("insert into Codes values('收银员', null)").statements[0]),
              (std::vector<int>{8152, 3621}));
    ok("insert into Codes values('收银', null)");
    EXPECT_EQ(errorNumbers(run("insert into Codes values('x', N'收银员a')").statements[0]),
              (std::vector<int>{8152, 3621}));
}

} // namespace
} // namespace tdslite::testing
