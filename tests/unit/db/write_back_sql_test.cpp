// Which results can be written back, and the statements that do it.
#include "db/write_back_sql.h"
#include "tests/support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

struct Query {
    const char* sql;
    QStringList table; // empty: not one table
};

void PrintTo(const Query& query, std::ostream* out) {
    *out << query.sql;
}

class SingleTable : public ::testing::TestWithParam<Query> {};

TEST_P(SingleTable, IsFoundOnlyForAQueryOfOneTable) {
    const auto table = SingleTableOf(QString::fromUtf8(GetParam().sql));
    if (GetParam().table.isEmpty()) {
        EXPECT_FALSE(table) << table->parts.join(u'.').toStdString();
        return;
    }
    ASSERT_TRUE(table);
    EXPECT_EQ(table->parts, GetParam().table);
}

INSTANTIATE_TEST_SUITE_P(
    Queries, SingleTable,
    ::testing::Values(
        Query{"select * from wkinfo where swknums='001'\r\n", {"wkinfo"}},
        Query{"SELECT * FROM WkInfo", {"WkInfo"}},
        Query{"select * from dbo.WkInfo w where w.sWkNums=N'1'", {"dbo", "WkInfo"}},
        Query{"select * from [score].[dbo].[Wk Info] as w order by 1", {"score", "dbo", "Wk Info"}},
        Query{"select * from wkinfo;", {"wkinfo"}},
        Query{"select * from wkinfo where swkname='x from y, z join w'", {"wkinfo"}},
        Query{"select (select max(a) from b) from wkinfo", {"wkinfo"}},
        Query{"select * from (wkinfo inner join jobs on wkinfo.swkjobnum=jobs.sjobnum)", {}},
        Query{"select * from wkinfo inner join jobs on 1=1", {}},
        Query{"select * from wkinfo, jobs", {}},
        Query{"select * from wkinfo w join jobs j on 1=1", {}},
        Query{"select * from a union select * from b", {}}, Query{"select 1", {}},
        Query{"update wkinfo set a=1", {}}, Query{"select * from a; select * from b", {}}));

TEST(ImageUpdate, PutsTheBytesAndTheKeyInLiterals) {
    const TableName table{{QStringLiteral("wkinfo")}};
    EXPECT_EQ(ImageUpdateStatement(table, QStringLiteral("WkPhoto"),
                                   QByteArray("\xff\xd8\x00\x01", 4),
                                   {{QStringLiteral("sWkNums"), QStringLiteral("O'1")}}),
              QStringLiteral("update wkinfo set WkPhoto=0xffd80001 where sWkNums=N'O''1'"));
    EXPECT_EQ(ImageUpdateStatement({{QStringLiteral("dbo"), QStringLiteral("t]x")}},
                                   QStringLiteral("my photo"), QByteArray(),
                                   {{QStringLiteral("a"), QStringLiteral("1")},
                                    {QStringLiteral("b"), QStringLiteral("2")}}),
              QStringLiteral("update dbo.[t]]x] set [my photo]=0x where a=N'1' and b=N'2'"));
}

TEST(PrimaryKeyQuery, AsksTheCatalogueViewsForTheTable) {
    EXPECT_EQ(PrimaryKeyQuery({{QStringLiteral("wkinfo")}}),
              QStringLiteral(
                  "select kcu.COLUMN_NAME from INFORMATION_SCHEMA.TABLE_CONSTRAINTS as tc inner "
                  "join INFORMATION_SCHEMA.KEY_COLUMN_USAGE as kcu on kcu.CONSTRAINT_SCHEMA = "
                  "tc.CONSTRAINT_SCHEMA and kcu.CONSTRAINT_NAME = tc.CONSTRAINT_NAME where "
                  "tc.CONSTRAINT_TYPE = N'PRIMARY KEY' and tc.TABLE_NAME = N'wkinfo' order by "
                  "kcu.ORDINAL_POSITION"));
    const QString qualified =
        PrimaryKeyQuery({{QStringLiteral("score"), QStringLiteral("dbo"), QStringLiteral("O'x")}});
    EXPECT_TRUE(
        qualified.contains(QStringLiteral("from score.INFORMATION_SCHEMA.TABLE_CONSTRAINTS")));
    EXPECT_TRUE(qualified.contains(
        QStringLiteral("tc.TABLE_NAME = N'O''x' and tc.TABLE_SCHEMA = N'dbo' order by")));
}

} // namespace
