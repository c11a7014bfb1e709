// What the gateway puts into statements: literals, the lines sent, and names.
#include "db/driver_message.h"
#include "db/sql_lines.h"
#include "db/sql_literal.h"
#include "tests/support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

struct Literal {
    const char* value;
    const char* literal;
};

void PrintTo(const Literal& literal, std::ostream* out) {
    *out << literal.value;
}

class SqlTextLiterals : public ::testing::TestWithParam<Literal> {};

TEST_P(SqlTextLiterals, DoubleQuotesAndAreUnicode) {
    EXPECT_EQ(SqlText(QString::fromUtf8(GetParam().value)), QString::fromUtf8(GetParam().literal));
}

INSTANTIATE_TEST_SUITE_P(
    Values, SqlTextLiterals,
    ::testing::Values(Literal{"", "N''"}, Literal{"001", "N'001'"},
                      Literal{"O'Brien", "N'O''Brien'"}, Literal{"''", "N''''''"},
                      Literal{"x'; drop table jobs--", "N'x''; drop table jobs--'"},
                      Literal{"张三", "N'张三'"}, Literal{"a:b?c", "N'a:b?c'"}));

struct Lines {
    const char* text;
    QStringList lines;
    const char* sent;
};

void PrintTo(const Lines& lines, std::ostream* out) {
    *out << lines.sent;
}

class SqlTextLines : public ::testing::TestWithParam<Lines> {};

TEST_P(SqlTextLines, SplitAtAnyBreakAndEndEachWithCrLf) {
    const QStringList lines = SqlLinesOf(QString::fromUtf8(GetParam().text));
    EXPECT_EQ(lines, GetParam().lines);
    EXPECT_EQ(BatchText(lines), QString::fromUtf8(GetParam().sent));
}

INSTANTIATE_TEST_SUITE_P(Texts, SqlTextLines,
                         ::testing::Values(Lines{"", {}, ""},
                                           Lines{"select 1", {"select 1"}, "select 1\r\n"},
                                           Lines{"a\r\nb", {"a", "b"}, "a\r\nb\r\n"},
                                           Lines{"a\r\n", {"a"}, "a\r\n"},
                                           Lines{"a\nb\rc", {"a", "b", "c"}, "a\r\nb\r\nc\r\n"},
                                           Lines{"a\r\n\r\nb", {"a", "", "b"}, "a\r\n\r\nb\r\n"},
                                           Lines{"\r\n", {""}, "\r\n"}));

struct Message {
    const char* fromDriver;
    const char* shown;
};

void PrintTo(const Message& message, std::ostream* out) {
    *out << message.fromDriver;
}

class DriverMessages : public ::testing::TestWithParam<Message> {};

TEST_P(DriverMessages, LoseTheBracketedLayerNames) {
    EXPECT_EQ(WithoutDriverPrefixes(QString::fromUtf8(GetParam().fromDriver)),
              QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    Messages, DriverMessages,
    ::testing::Values(Message{"[FreeTDS][SQL Server]Invalid object name 'x'.",
                              "Invalid object name 'x'."},
                      Message{"[unixODBC][Driver Manager]Data source name not found",
                              "Data source name not found"},
                      Message{"Login failed for user 'sa'.", "Login failed for user 'sa'."},
                      Message{"[FreeTDS][SQL Server]Column [a] is bad", "Column [a] is bad"},
                      Message{"[unclosed", "[unclosed"}));

} // namespace
