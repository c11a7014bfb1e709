// Column types: declared metadata in results and the conversions of values into them.
#include "engine_fixture.h"

namespace tdslite::testing {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST_F(EngineTest, SelectStarDescribesTheDeclaredTypes) {
    initialiseScore();
    StatementResult scores = ok("select * from Scores").statements[0];
    ASSERT_EQ(scores.columns.size(), 6u);
    EXPECT_EQ(scores.columns[0].type, ColumnType::NVarChar);
    EXPECT_EQ(scores.columns[0].length, 50);
    EXPECT_FALSE(scores.columns[0].nullable);
    EXPECT_EQ(scores.columns[2].type, ColumnType::Decimal);
    EXPECT_EQ(scores.columns[2].precision, 18);
    EXPECT_EQ(scores.columns[2].scale, 2);
    EXPECT_EQ(scores.columns[4].type, ColumnType::Text);
    EXPECT_TRUE(scores.columns[4].nullable);
    EXPECT_EQ(scores.columns[5].type, ColumnType::DateTime);
    StatementResult staff = ok("select * from WkInfo").statements[0];
    EXPECT_EQ(staff.columns[4].type, ColumnType::Image);
    EXPECT_EQ(staff.rowCount, 0);
}

TEST_F(EngineTest, ValuesConvertToTheColumnTypes) {
    initialiseScore();
    ok("create table AllTypes(n int, s smallint, t tinyint, b bit, d decimal(5, 2), "
       "w datetime, c char(3), x text, i image)");
    ok("insert into AllTypes values(-7, '12', 255, 5, 1.005, '20240301', 12, N'文', 0xABC)");
    ok("insert into AllTypes(n, d, w) values(' 42 ', '-3.14159', '2024-03-01T23:59:59.999')");
    StatementResult result = ok("select * from AllTypes").statements[0];
    EXPECT_EQ(cells(result),
              (Rows{{"-7", "12", "255", "1", "1.01", "45350:0", "12 ", "文", "0x0ABC"},
                    {"42", "NULL", "NULL", "NULL", "-3.14", "45351:0", "NULL", "NULL", "NULL"}}));
    ok("insert into AllTypes(w) values(getdate())");
    StatementResult now = ok("select w from AllTypes where n is null").statements[0];
    ASSERT_EQ(now.rows.size(), 1u);
    EXPECT_GT(std::get<DateTime>(now.rows[0][0]).days, 45350);
}

TEST_F(EngineTest, ConversionErrors) {
    initialiseScore();
    ok("create table AllTypes(n int, t tinyint, d decimal(5, 2), w datetime, i image)");
    struct Case {
        const char* sql;
        int number;
    };
    for (const Case& c : {Case{"insert into AllTypes(n) values('x1')", 245},
                          Case{"insert into AllTypes(n) values(3000000000)", 8115},
                          Case{"insert into AllTypes(t) values(256)", 220},
                          Case{"insert into AllTypes(d) values(1000)", 8115},
                          Case{"insert into AllTypes(d) values('abc')", 8114},
                          Case{"insert into AllTypes(w) values('2024-02-30')", 241},
                          Case{"insert into AllTypes(i) values('text')", 257},
                          Case{"insert into AllTypes(i) values(5)", 206}}) {
        StatementResult result = run(c.sql).statements.at(0);
        EXPECT_TRUE(result.failed) << c.sql;
        ASSERT_FALSE(result.messages.empty()) << c.sql;
        EXPECT_EQ(result.messages[0].number, c.number) << c.sql;
    }
    EXPECT_EQ(ok("select * from AllTypes").statements[0].rowCount, 0);
}

TEST_F(EngineTest, LargePhotosRoundTrip) {
    initialiseScore();
    ok("insert into wkinfo(swknums,swkname,swksex,swkjobnum) values('001','a',0,'001')");
    std::string hex;
    Bytes expected;
    for (int i = 0; i < 30000; ++i) {
        static const char* kHex = "0123456789ABCDEF";
        auto byte = static_cast<std::uint8_t>(i * 7);
        expected.push_back(byte);
        hex += kHex[byte >> 4];
        hex += kHex[byte & 15];
    }
    EXPECT_EQ(
        ok("update wkinfo set WkPhoto=0x" + hex + " where sWkNums=N'001'").statements[0].rowCount,
        1);
    StatementResult photo = ok("select WkPhoto from wkinfo where swknums='001'").statements[0];
    EXPECT_EQ(std::get<Bytes>(photo.rows.at(0).at(0)), expected);
}

TEST_F(EngineTest, InformationSchemaDescribesKeysAndColumns) {
    initialiseScore();
    StatementResult keys = ok("select TABLE_NAME, COLUMN_NAME, ORDINAL_POSITION from "
                              "INFORMATION_SCHEMA.KEY_COLUMN_USAGE order by TABLE_NAME")
                               .statements[0];
    EXPECT_EQ(cells(keys), (Rows{{"Jobs", "sJobNum", "1"}, {"WkInfo", "sWkNums", "1"}}));
    StatementResult constraints =
        ok("select TABLE_NAME from score.INFORMATION_SCHEMA.TABLE_CONSTRAINTS where "
           "CONSTRAINT_TYPE='PRIMARY KEY' and TABLE_NAME='wkinfo'")
            .statements[0];
    EXPECT_EQ(cells(constraints), (Rows{{"WkInfo"}}));
    StatementResult columns = ok("select COLUMN_NAME, DATA_TYPE, CHARACTER_MAXIMUM_LENGTH, "
                                 "IS_NULLABLE from INFORMATION_SCHEMA.COLUMNS where "
                                 "TABLE_NAME='Scores'")
                                  .statements[0];
    EXPECT_EQ(cells(columns), (Rows{{"sWkNum", "nvarchar", "50", "NO"},
                                    {"sWkJobNum", "nvarchar", "50", "NO"},
                                    {"iWkScore", "decimal", "NULL", "NO"},
                                    {"sClIP", "nvarchar", "50", "NO"},
                                    {"sMemo", "text", "2147483647", "YES"},
                                    {"dtDateTime", "datetime", "NULL", "NO"}}));
}

} // namespace
} // namespace tdslite::testing
