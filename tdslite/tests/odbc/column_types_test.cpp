// Every column type through FreeTDS: the ODBC type the driver reports, a value and NULL,
// and char/text values in the code page of the server's collation.
#include "tdslite_fixture.h"

#include <gmock/gmock.h>

namespace tdslite::odbctest {
namespace {

using ::testing::AnyOf;
using ::testing::ElementsAre;

const char* const kCreateAllTypes =
    "create table AllTypes(k int primary key not null,n nvarchar(20),c char(6),t text,i image,"
    "d decimal(18, 2),dt datetime,s smallint,ti tinyint,b bit)\r\n";

class ColumnTypesTest : public TdsliteTest {
protected:
    explicit ColumnTypesTest(tdslite::testing::ServerOptions options = {})
        : TdsliteTest(std::move(options)) {}

    ResultPart createAndSelect() {
        createInitialisedScore();
        auto catalog = connect("score");
        run(*catalog, kCreateAllTypes);
        run(*catalog, "insert into AllTypes values(1,N'名字',N'ab',N'éa收',0x00FF10,-12.5,"
                      "'2024-02-29 13:45:06.120',-300,255,1)\r\n");
        run(*catalog,
            "insert into AllTypes values(2,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL)\r\n");
        return run(*catalog, "select * from AllTypes\r\n").firstResultSet();
    }
};

TEST_F(ColumnTypesTest, EachTypeArrivesWithItsOdbcTypeValueAndNull) {
    ResultPart all = createAndSelect();
    EXPECT_THAT(all.columnTypes,
                ElementsAre(SQL_INTEGER, SQL_WVARCHAR, AnyOf(SQL_CHAR, SQL_WCHAR),
                            AnyOf(SQL_LONGVARCHAR, SQL_WLONGVARCHAR), SQL_LONGVARBINARY,
                            AnyOf(SQL_DECIMAL, SQL_NUMERIC), SQL_TYPE_TIMESTAMP, SQL_SMALLINT,
                            SQL_TINYINT, SQL_BIT));
    ASSERT_EQ(all.rows.size(), 2u);
    const auto& values = all.rows[0];
    EXPECT_EQ(values[0].text, "1");
    EXPECT_EQ(values[1].text, "名字");
    EXPECT_EQ(values[2].text, "ab    ") << "char(n) is padded";
    EXPECT_EQ(values[3].text, "éa收");
    EXPECT_EQ(values[4].bytes, (std::vector<std::uint8_t>{0x00, 0xFF, 0x10}));
    EXPECT_EQ(values[5].text, "-12.50");
    EXPECT_EQ(values[6].text, "2024-02-29 13:45:06.120");
    EXPECT_EQ(values[7].text, "-300");
    EXPECT_EQ(values[8].text, "255");
    EXPECT_EQ(values[9].text, "1");
    for (std::size_t i = 1; i < all.rows[1].size(); ++i) {
        EXPECT_TRUE(all.rows[1][i].isNull) << all.columnNames[i];
    }
}

class LatinCollationTest : public ColumnTypesTest {
protected:
    LatinCollationTest() : ColumnTypesTest({{"--collation", "SQL_Latin1_General_CP1_CI_AS"}, ""}) {}
};

TEST_F(LatinCollationTest, TextOutsideCp1252BecomesQuestionMarksButNationalTextSurvives) {
    ResultPart all = createAndSelect();
    ASSERT_EQ(all.rows.size(), 2u);
    EXPECT_EQ(all.rows[0][1].text, "名字");
    EXPECT_EQ(all.rows[0][3].text, "éa?");
    auto catalog = connect("score");
    auto jobs = run(*catalog, "select sJobName from Jobs where sJobNum='001'\r\n").firstResultSet();
    EXPECT_THAT(column(jobs, 0), ElementsAre("???"))
        << "the seed's plain '…' literal lost its Chinese";
}

} // namespace
} // namespace tdslite::odbctest
