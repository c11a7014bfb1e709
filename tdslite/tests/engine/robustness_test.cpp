// Nonsense batches get SQL Server's errors, never a crash, a hang or an exception.
#include "engine_fixture.h"

#include <random>

namespace tdslite::testing {
namespace {

TEST_F(EngineTest, DeepNestingIsRefusedNotRecursedInto) {
    initialiseScore();
    // As deep as tdslite takes: still runs.
    std::string nested = "select * from jobs where ";
    for (int i = 0; i < 39; ++i) {
        nested += "not (";
    }
    nested += "sjobnum='1'" + std::string(39, ')');
    EXPECT_EQ(ok(nested).statements.at(0).rowCount, 3);
    std::string deep = "select * from jobs where " + std::string(100000, '(') + "sjobnum='1'" +
                       std::string(100000, ')');
    StatementResult result = run(deep).statements.at(0);
    EXPECT_EQ(errorNumbers(result), std::vector<int>{191});
    std::string nots = "select * from jobs where ";
    for (int i = 0; i < 50000; ++i) {
        nots += "not ";
    }
    EXPECT_EQ(errorNumbers(run(nots + "sjobnum='1'").statements.at(0)), std::vector<int>{191});
    std::string blocks;
    for (int i = 0; i < 50000; ++i) {
        blocks += "begin ";
    }
    EXPECT_EQ(errorNumbers(run(blocks).statements.at(0)), std::vector<int>{191});
}

TEST_F(EngineTest, OddLiteralsAndNumbers) {
    initialiseScore();
    EXPECT_EQ(errorNumbers(run("select top 99999999999999999999 * from jobs").statements.at(0)),
              std::vector<int>{102});
    EXPECT_EQ(errorNumbers(run("create table T(a nvarchar(99999999999))").statements.at(0)),
              std::vector<int>{131});
    EXPECT_EQ(errorNumbers(run("insert into jobs values(N'x', 0x)").statements.at(0)).size(), 0u);
    EXPECT_EQ(errorNumbers(run("/* unclosed").statements.at(0)), std::vector<int>{113});
    EXPECT_EQ(errorNumbers(run("set").statements.at(0)), std::vector<int>{156});
    EXPECT_TRUE(run("").statements.empty());
    EXPECT_TRUE(run("  -- only a comment\r\n").statements.empty());
}

TEST_F(EngineTest, RandomTokenSoupNeverThrows) {
    initialiseScore();
    const std::vector<std::string> words = {
        "select", "*",      "from",    "jobs",  "where",  "=",      "'a'",      "N'b'",    "(",
        ")",      ",",      "and",     "or",    "not",    "insert", "into",     "values",  "update",
        "set",    "delete", "begin",   "end",   "create", "table",  "database", "drop",    "use",
        "0x1F",   "12.5",   "null",    "is",    "inner",  "join",   "on",       ".",       "dbo",
        "score",  "@@spid", "getdate", "count", "[x]",    "'",      ";",        "primary", "key"};
    std::mt19937 random(12345);
    for (int round = 0; round < 2000; ++round) {
        std::string batch;
        int length = 1 + static_cast<int>(random() % 12);
        for (int i = 0; i < length; ++i) {
            batch += words[random() % words.size()] + " ";
        }
        BatchResult result;
        ASSERT_NO_THROW(result = run(batch)) << batch;
        for (const auto& statement : result.statements) {
            for (const auto& message : statement.messages) {
                EXPECT_NE(message.number, 50000) << batch << ": " << u8(message.text);
            }
        }
    }
}

} // namespace
} // namespace tdslite::testing

namespace tdslite::testing {
namespace {

TEST_F(EngineTest, LongChainsOfOrAreBoundedToo) {
    initialiseScore();
    std::string many = "select * from jobs where sjobnum='0'";
    for (int i = 0; i < 800; ++i) {
        many += " or sjobnum='" + std::to_string(i) + "'";
    }
    EXPECT_EQ(ok(many).statements.at(0).rowCount, 0);
    for (int i = 0; i < 5000; ++i) {
        many += " or sjobnum='" + std::to_string(i) + "'";
    }
    EXPECT_EQ(errorNumbers(run(many).statements.at(0)), std::vector<int>{191});
}

} // namespace
} // namespace tdslite::testing
