// SQL Server's error numbers, severities and texts for what the program can run into.
#include "engine_fixture.h"

namespace tdslite::testing {
namespace {

struct ErrorCase {
    std::string name;
    std::string setup; // run first in score, must succeed
    std::string sql;
    std::vector<int> numbers;
    int severity;
    std::string text; // checked when not empty
};

class ErrorTest : public EngineTest, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(ErrorTest, GivesSqlServersMessage) {
    const ErrorCase& c = GetParam();
    initialiseScore();
    if (!c.setup.empty()) {
        ok(c.setup);
    }
    BatchResult result = run(c.sql);
    ASSERT_FALSE(result.statements.empty());
    const StatementResult& failed = result.statements.back();
    EXPECT_TRUE(failed.failed);
    EXPECT_EQ(errorNumbers(failed), c.numbers);
    ASSERT_FALSE(failed.messages.empty());
    EXPECT_EQ(failed.messages[0].severity, c.severity);
    EXPECT_EQ(failed.messages[0].kind, MessageClass::Error);
    if (!c.text.empty()) {
        EXPECT_EQ(u8(failed.messages[0].text), c.text);
    }
    if (c.numbers.size() == 2 && c.numbers[1] == 3621) {
        EXPECT_EQ(failed.messages[1].severity, 0);
        EXPECT_EQ(u8(failed.messages[1].text), "The statement has been terminated.");
    }
}

const ErrorCase kErrors[] = {
    {"Syntax", "", "selec * from Jobs", {102}, 15, "Incorrect syntax near '*'."},
    {"SyntaxNearKeyword",
     "",
     "select * from where",
     {156},
     15,
     "Incorrect syntax near the keyword 'where'."},
    {"UnclosedQuote",
     "",
     "select * from Jobs where sJobNum='001",
     {105, 102},
     15,
     "Unclosed quotation mark after the character string '001'."},
    {"MissingTable", "", "select * from Nothing", {208}, 16, "Invalid object name 'Nothing'."},
    {"MissingColumn",
     "",
     "select sNothing from Jobs",
     {207},
     16,
     "Invalid column name 'sNothing'."},
    {"MissingColumnInWhere",
     "",
     "delete from wkinfo where swknum='001'",
     {207},
     16,
     "Invalid column name 'swknum'."},
    {"InsertArity",
     "",
     "insert into jobs values('009')",
     {213},
     16,
     "Column name or number of supplied values does not match table definition."},
    {"DatabaseExists",
     "",
     "create database SCORE",
     {1801},
     16,
     "Database 'SCORE' already exists. Choose a different database name."},
    {"DuplicateKey", "", "insert into jobs values('001','x')", {2627, 3621}, 14, ""},
    {"DuplicateKeyWithTrailingSpace",
     "",
     "insert into jobs values('001 ','x')",
     {2627, 3621},
     14,
     ""},
    {"DuplicateKeyOtherCase",
     "insert into jobs values('a1','x')",
     "insert into jobs values(N'A1','y')",
     {2627, 3621},
     14,
     ""},
    {"ObjectExists",
     "",
     "create table jobs(a int)",
     {2714},
     16,
     "There is already an object named 'jobs' in the database."},
    {"DropMissingDatabase",
     "",
     "drop database nothing",
     {3701},
     11,
     "Cannot drop the database 'nothing', because it does not exist or you do not have "
     "permission."},
    {"DropDatabaseInUse",
     "",
     "drop database score",
     {3702},
     16,
     "Cannot drop database \"score\" because it is currently in use."},
    {"UseMissingDatabase",
     "",
     "use nothing",
     {911},
     16,
     "Database 'nothing' does not exist. Make sure that the name is entered correctly."},
    {"Truncation",
     "",
     "insert into jobs values('010','" + std::string(51, 'x') + "')",
     {8152, 3621},
     16,
     "String or binary data would be truncated."},
    {"TruncationOfChinese",
     "",
     "update jobs set sJobName=N'" + std::string(51 * 3, 'x') + "'",
     {8152, 3621},
     16,
     "String or binary data would be truncated."},
    {"NullIntoNotNull",
     "",
     "insert into wkinfo(swknums,swkname) values('001','x')",
     {515, 3621},
     16,
     "Cannot insert the value NULL into column 'sWkSex', table 'score.dbo.WkInfo'; column does "
     "not allow nulls. INSERT fails."},
    {"ConversionToInt",
     "create table Numbers(n int)",
     "insert into Numbers values('abc')",
     {245},
     16,
     "Conversion failed when converting the varchar value 'abc' to data type int."},
    {"UnknownProcedure",
     "",
     "sp_nothing",
     {2812},
     16,
     "Could not find stored procedure 'sp_nothing'."},
    {"UnboundQualifier",
     "",
     "select Nothing.sJobNum from Jobs",
     {4104},
     16,
     "The multi-part identifier \"Nothing.sJobNum\" could not be bound."},
    {"AmbiguousColumn",
     "",
     "select sWkJobNum from wkinfo inner join scores on swknums=swknum",
     {209},
     16,
     "Ambiguous column name 'sWkJobNum'."},
};

std::string caseName(const ::testing::TestParamInfo<ErrorCase>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Errors, ErrorTest, ::testing::ValuesIn(kErrors), caseName);

} // namespace
} // namespace tdslite::testing

namespace tdslite::testing {
namespace {

TEST_F(EngineTest, DuplicateKeyNamesTheConstraintTheObjectAndTheValue) {
    initialiseScore();
    StatementResult failed = run("insert into jobs values('001 ','x')").statements[0];
    ASSERT_EQ(errorNumbers(failed), (std::vector<int>{2627, 3621}));
    StatementResult constraint =
        ok("select CONSTRAINT_NAME from INFORMATION_SCHEMA.TABLE_CONSTRAINTS "
           "where TABLE_NAME='jobs' and CONSTRAINT_TYPE='PRIMARY KEY'")
            .statements[0];
    ASSERT_EQ(constraint.rowCount, 1);
    std::string key = show(constraint.rows[0][0]);
    EXPECT_EQ(key.rfind("PK__Jobs__", 0), 0u) << key;
    EXPECT_EQ(key.size(), std::string("PK__Jobs__").size() + 16);
    EXPECT_EQ(u8(failed.messages[0].text),
              "Violation of PRIMARY KEY constraint '" + key +
                  "'. Cannot insert duplicate key in object 'dbo.Jobs'. The duplicate key value is "
                  "(001 ).");
    EXPECT_EQ(failed.messages[1].number, 3621);
}

} // namespace
} // namespace tdslite::testing
