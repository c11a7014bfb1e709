// The program's own statements, verbatim and in the order the program sends them, with
// the results SQL Server gives for them.
#include "tdslite_fixture.h"

#include <gmock/gmock.h>

#include <random>

namespace tdslite::odbctest {
namespace {

using ::testing::AnyOf;
using ::testing::ElementsAre;
using Rows = std::vector<std::vector<std::string>>;

// The gateway ends every line it sends with CR LF.
std::string sent(const std::string& statement) {
    return statement + "\r\n";
}

Rows textRows(const ResultPart& part) {
    Rows rows;
    for (const auto& row : part.rows) {
        std::vector<std::string> texts;
        for (const auto& cell : row) {
            texts.push_back(cell.isNull          ? "<NULL>"
                            : cell.bytes.empty() ? cell.text
                                                 : "0x" + hexOf(cell.bytes));
        }
        rows.push_back(texts);
    }
    return rows;
}

std::vector<std::uint8_t> photoBytes(std::size_t size) {
    std::mt19937 random(7);
    std::vector<std::uint8_t> bytes(size);
    for (auto& byte : bytes) {
        byte = static_cast<std::uint8_t>(random());
    }
    bytes[0] = 0xFF;
    bytes[1] = 0xD8;
    bytes[2] = 0x00; // a zero byte early, where a C string would end
    return bytes;
}

class ProgramStatementsTest : public TdsliteTest {
protected:
    std::size_t countScoreDatabases() {
        auto serverLevel = connect();
        auto outcome =
            run(*serverLevel, sent("select * from master.dbo.sysdatabases where name='score '"));
        return outcome.firstResultSet().rows.size();
    }
};

TEST_F(ProgramStatementsTest, CreateInitialiseCheckAndDrop) {
    EXPECT_EQ(countScoreDatabases(), 0u);
    {
        auto serverLevel = connect();
        run(*serverLevel, sent("create database score"));
    }
    EXPECT_EQ(countScoreDatabases(), 1u);
    {
        auto catalog = connect("score");
        run(*catalog, initialisationBatch());
        auto objects = run(*catalog, sent("select * from score.dbo.sysobjects where name='Jobs' or "
                                          "name='Scores' or name='WkInfo'"));
        EXPECT_EQ(objects.firstResultSet().rows.size(), 3u);
    }
    {
        auto serverLevel = connect();
        auto objects =
            run(*serverLevel, sent("select * from score.dbo.sysobjects where name='Jobs' or "
                                   "name='Scores' or name='WkInfo'"));
        EXPECT_EQ(objects.firstResultSet().rows.size(), 3u) << "three-part names work from master";
        run(*serverLevel, sent("drop database score"));
    }
    EXPECT_EQ(countScoreDatabases(), 0u);
}

TEST_F(ProgramStatementsTest, SeedPositionsReadBackInChinese) {
    createInitialisedScore();
    auto catalog = connect("score");
    auto jobs = run(*catalog, sent("select * from Jobs")).firstResultSet();
    EXPECT_THAT(jobs.columnNames, ElementsAre("sJobNum", "sJobName"));
    EXPECT_EQ(textRows(jobs), (Rows{{"001", "收银员"}, {"002", "网管"}, {"003", "技术员"}}));
    EXPECT_EQ(jobs.columnTypes[0], SQL_WVARCHAR);
}

TEST_F(ProgramStatementsTest, PositionMaintenance) {
    createInitialisedScore();
    auto catalog = connect("score");
    EXPECT_EQ(run(*catalog, sent("insert into Jobs values(N'004',N'保安')")).parts[0].rowCount, 1);
    EXPECT_EQ(run(*catalog, sent("update Jobs set sJobName=N'保安员' where sJobNum=N'004'"))
                  .parts[0]
                  .rowCount,
              1);
    auto byName =
        run(*catalog, sent("select * from jobs where sjobname=N'保安员'")).firstResultSet();
    EXPECT_EQ(textRows(byName), (Rows{{"004", "保安员"}}));
    run(*catalog, sent("insert into wkinfo(swknums,swkname,swksex,swkjobnum) "
                       "values(N'009',N'王五',1,N'004')"));
    auto deleted = run(
        *catalog, sent("delete from score.dbo.jobs where sJobNum=N'004' AND sJobName=N'保安员'"));
    EXPECT_EQ(deleted.parts[0].rowCount, 1);
    run(*catalog, "begin\r\ndelete from score.dbo.wkinfo where swkjobnum=N'004'\r\n"
                  "delete from score.dbo.scores where swkjobnum=N'004'\r\nend\r\n");
    EXPECT_TRUE(run(*catalog, sent("select * from wkinfo")).firstResultSet().rows.empty());
    EXPECT_EQ(run(*catalog, sent("select * from Jobs")).firstResultSet().rows.size(), 3u);
}

TEST_F(ProgramStatementsTest, StaffMaintenanceWithPhotoWriteBack) {
    createInitialisedScore();
    auto catalog = connect("score");
    auto job = run(*catalog, sent("select * from jobs where sjobname=N'网管'")).firstResultSet();
    ASSERT_EQ(column(job, 0), (std::vector<std::string>{"002"}));
    run(*catalog, sent("insert into wkinfo(swknums,swkname,swksex,swkjobnum) "
                       "values(N'001',N'张三',0,N'002')"));

    auto fresh = run(*catalog, sent("select * from wkinfo where swknums=N'001'")).firstResultSet();
    EXPECT_THAT(fresh.columnNames,
                ElementsAre("sWkNums", "sWkName", "sWkSex", "sWkJobNum", "WkPhoto"));
    EXPECT_EQ(textRows(fresh), (Rows{{"001", "张三", "0", "002", "<NULL>"}}));
    EXPECT_EQ(fresh.columnTypes[4], SQL_LONGVARBINARY);

    auto photo = photoBytes(30 * 1024);
    run(*catalog, sent("update wkinfo set WkPhoto=0x" + hexOf(photo) + " where sWkNums=N'001'"));
    auto withPhoto =
        run(*catalog, sent("select * from wkinfo where swknums=N'001'")).firstResultSet();
    ASSERT_EQ(withPhoto.rows.size(), 1u);
    EXPECT_EQ(withPhoto.rows[0][4].bytes, photo);

    auto joined =
        run(*catalog,
            sent("select * from (wkinfo inner join jobs on wkinfo.swkjobnum=jobs.sjobnum)"))
            .firstResultSet();
    EXPECT_THAT(joined.columnNames, ElementsAre("sWkNums", "sWkName", "sWkSex", "sWkJobNum",
                                                "WkPhoto", "sJobNum", "sJobName"));
    ASSERT_EQ(joined.rows.size(), 1u);
    EXPECT_EQ(joined.rows[0][6].text, "网管");
    EXPECT_EQ(joined.rows[0][4].bytes, photo);

    run(*catalog,
        sent("update wkinfo set swkname=N'李四',swksex=1,swkjobnum=N'003' where swknums=N'001'"));
    auto deleted =
        run(*catalog, sent("delete from wkinfo where swknums=N'001' and swkname=N'李四'"));
    EXPECT_EQ(deleted.parts[0].rowCount, 1);
    EXPECT_EQ(run(*catalog, sent("delete from scores where swknum=N'001'")).parts[0].rowCount, 0);
}

TEST_F(ProgramStatementsTest, PhotosOfEverySizeReadBackByteForByte) {
    createInitialisedScore();
    auto catalog = connect("score");
    run(*catalog, sent("insert into wkinfo(swknums,swkname,swksex,swkjobnum) "
                       "values(N'001',N'张三',0,N'002')"));
    for (std::size_t size :
         {std::size_t{1}, std::size_t{4087}, std::size_t{4096}, std::size_t{3} << 20}) {
        SCOPED_TRACE(size);
        auto photo = photoBytes(std::max<std::size_t>(size, 3));
        photo.resize(size);
        run(*catalog,
            sent("update wkinfo set WkPhoto=0x" + hexOf(photo) + " where sWkNums=N'001'"));
        auto staff =
            run(*catalog, sent("select * from wkinfo where swknums=N'001'")).firstResultSet();
        ASSERT_EQ(staff.rows.size(), 1u);
        EXPECT_TRUE(staff.rows[0][4].bytes == photo)
            << "read back " << staff.rows[0][4].bytes.size() << " bytes";
    }
}

TEST_F(ProgramStatementsTest, ScoreRowsCarryDecimalTextAndDatetime) {
    createInitialisedScore();
    auto catalog = connect("score");
    run(*catalog,
        sent("insert into scores values(N'001',N'002',95.5,N'10.0.0.9',N'备注',getdate())"));
    run(*catalog, sent("insert into scores values(N'002',N'002',-3,N'10.0.0.9',NULL,getdate())"));
    auto scores = run(*catalog, sent("select * from Scores")).firstResultSet();
    // FreeTDS reports SQL Server's decimal columns (DECIMALNTYPE) as SQL_NUMERIC.
    EXPECT_THAT(scores.columnTypes,
                ElementsAre(SQL_WVARCHAR, SQL_WVARCHAR, AnyOf(SQL_DECIMAL, SQL_NUMERIC),
                            SQL_WVARCHAR, SQL_LONGVARCHAR, SQL_TYPE_TIMESTAMP));
    ASSERT_EQ(scores.rows.size(), 2u);
    EXPECT_EQ(scores.rows[0][2].text, "95.50");
    EXPECT_EQ(scores.rows[0][4].text, "备注");
    EXPECT_EQ(scores.rows[1][2].text, "-3.00");
    EXPECT_TRUE(scores.rows[1][4].isNull);
    EXPECT_EQ(scores.rows[0][5].text.size(), 23u)
        << scores.rows[0][5].text; // yyyy-mm-dd hh:mm:ss.fff
}

} // namespace
} // namespace tdslite::odbctest
