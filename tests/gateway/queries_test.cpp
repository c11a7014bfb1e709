// OpenQuery and reading: the whole result in memory, rows, fields by name and their values.
#include "tests/gateway/gateway_fixture.h"

#include <vector>

namespace {

class Queries : public GatewayTest {
protected:
    void SetUp() override {
        GatewayTest::SetUp();
        createScoreTables();
        exec(catalogForm(), QStringLiteral("insert into jobs values(N'001',N'收银员')\r\n"
                                           "insert into jobs values(N'002',N'网管')\r\n"
                                           "insert into jobs values(N'003',N'技术员')"));
        gateway.SetConnectionString(catalogForm());
    }
    void open(const QString& sql) {
        gateway.SetSql(sql);
        gateway.OpenQuery();
    }
    QString text(const char* name) {
        return gateway.FieldByName(QString::fromLatin1(name)).asString();
    }
};

TEST_F(Queries, WalkEveryRowOfTheWholeResult) {
    open(QStringLiteral("select * from jobs order by sJobNum"));
    ASSERT_TRUE(gateway.IsOpen());
    EXPECT_EQ(gateway.RowCount(), 3);
    EXPECT_EQ(gateway.FieldNames(), QStringList({"sJobNum", "sJobName"}));
    QStringList seen;
    for (; !gateway.Eof(); gateway.Next())
        seen << text("sjobnum") + u'=' + text("SJOBNAME");
    EXPECT_EQ(seen, QStringList({"001=收银员", "002=网管", "003=技术员"}));
    // Past the end the last row stays current; moving on changes nothing.
    EXPECT_EQ(text("sJobNum"), QStringLiteral("003"));
    gateway.Next();
    EXPECT_TRUE(gateway.Eof());
    gateway.First();
    EXPECT_FALSE(gateway.Eof());
    EXPECT_EQ(text("sJobNum"), QStringLiteral("001"));
}

TEST_F(Queries, EmptyResultIsAtEofAtOnce) {
    open(QStringLiteral("select * from jobs where sJobNum=N'999'"));
    ASSERT_TRUE(gateway.IsOpen());
    EXPECT_TRUE(gateway.Eof());
    EXPECT_EQ(gateway.RowCount(), 0);
    EXPECT_EQ(gateway.FieldNames(), QStringList({"sJobNum", "sJobName"}));
    const SqlField& number = gateway.FieldByName(QStringLiteral("sJobNum"));
    EXPECT_TRUE(number.isNull());
    EXPECT_EQ(number.asString(), QString());
    gateway.First();
    gateway.Next();
    EXPECT_TRUE(gateway.Eof());
}

TEST_F(Queries, FieldNotFoundNamesItAsAsked) {
    open(QStringLiteral("select * from jobs"));
    EXPECT_EQ(failureOf([&] { gateway.FieldByName(QStringLiteral("sJobNmae")); }),
              QStringLiteral("qrySql: Field 'sJobNmae' not found"));
    EXPECT_TRUE(gateway.IsOpen());
    gateway.Close();
    EXPECT_EQ(failureOf([&] { gateway.FieldByName(QStringLiteral("sJobNum")); }),
              QStringLiteral("qrySql: Field 'sJobNum' not found"));

    SqlGateway named(QStringLiteral("qryOther"));
    EXPECT_EQ(failureOf([&] { named.FieldByName(QStringLiteral("x")); }),
              QStringLiteral("qryOther: Field 'x' not found"));
}

TEST_F(Queries, ValuesComeAsTextIntegerNullOrBytes) {
    exec(catalogForm(),
         QStringLiteral("insert into wkinfo values(N'001',N'张三',N'1',N'001',0x00ff10)\r\n"
                        "insert into wkinfo values(N'002',N'李四',N' 0 ',N'001',null)\r\n"
                        "insert into wkinfo values(N'003',N'王五',N'x',N'001',0x7f)"));
    open(QStringLiteral("select sWkNums, sWkName, sWkSex, WkPhoto, 12 as i, null as n from wkinfo "
                        "order by sWkNums"));
    const SqlField& sex = gateway.FieldByName(QStringLiteral("swksex"));
    const SqlField& photo = gateway.FieldByName(QStringLiteral("wkphoto"));
    EXPECT_EQ(text("sWkName"), QStringLiteral("张三"));
    EXPECT_EQ(sex.asInteger(), 1);
    EXPECT_EQ(photo.asBytes(), QByteArray("\x00\xff\x10", 3));
    EXPECT_FALSE(photo.isNull());
    EXPECT_EQ(gateway.FieldByName(QStringLiteral("i")).asInteger(), 12);
    EXPECT_TRUE(gateway.FieldByName(QStringLiteral("n")).isNull());
    EXPECT_EQ(gateway.FieldByName(QStringLiteral("n")).asString(), QString());

    gateway.Next(); // the same field objects follow the current row
    EXPECT_EQ(sex.asInteger(), 0);
    EXPECT_TRUE(photo.isNull());
    EXPECT_EQ(photo.asBytes(), QByteArray());

    gateway.Next();
    EXPECT_EQ(photo.asBytes(), QByteArray("\x7f"));
    EXPECT_EQ(failureOf([&] { sex.asInteger(); }),
              QStringLiteral(
                  "Conversion failed when converting the nvarchar value 'x' to data type int."));
    EXPECT_TRUE(gateway.IsOpen());

    exec(catalogForm(), QStringLiteral("create table numbers(d decimal(18, 2))\r\n"
                                       "insert into numbers values(-7.75)"));
    open(QStringLiteral("select d from numbers"));
    EXPECT_EQ(text("d"), QStringLiteral("-7.75"));
    EXPECT_EQ(gateway.FieldByName(QStringLiteral("d")).asInteger(), -7);
}

// Values longer than the first read of a cell, in both kinds of column.
TEST_F(Queries, LongValuesArriveWhole) {
    exec(catalogForm(),
         QStringLiteral("create table big(id int primary key, u nvarchar(4000), t text, b image)"));
    QString longText;
    for (int i = 0; i < 2000; ++i)
        longText += QStringLiteral("字%1").arg(i % 10);
    const QString longPlainText(20000, u'x');
    QByteArray longBytes(300 * 1024, '\0');
    for (qsizetype i = 0; i < longBytes.size(); ++i)
        longBytes[i] = static_cast<char>(i * 7 % 251);
    exec(catalogForm(), QStringLiteral("insert into big values(1, N'%1', '%2', 0x%3)")
                            .arg(longText, longPlainText, QString::fromLatin1(longBytes.toHex())));
    open(QStringLiteral("select * from big"));
    EXPECT_EQ(text("u"), longText);
    EXPECT_EQ(text("t"), longPlainText);
    EXPECT_EQ(gateway.FieldByName(QStringLiteral("b")).asBytes(), longBytes);
}

TEST_F(Queries, EveryChangeOfTheSqlTextClosesTheResult) {
    const std::vector<std::function<void()>> changes = {
        [&] { gateway.SetSql(QStringLiteral("select * from jobs")); },
        [&] { gateway.ClearSql(); },
        [&] { gateway.AddSqlLine(QStringLiteral("select 1 as a")); },
    };
    for (const auto& change : changes) {
        open(QStringLiteral("select * from jobs"));
        change();
        EXPECT_FALSE(gateway.IsOpen());
        EXPECT_TRUE(gateway.Eof());
        EXPECT_EQ(gateway.RowCount(), 0);
    }
    gateway.Close(); // closing nothing is fine
    EXPECT_FALSE(gateway.IsOpen());
}

TEST_F(Queries, LinesAreSentEachEndedWithCrLf) {
    gateway.ClearSql();
    gateway.AddSqlLine(QStringLiteral("select N'a"));
    gateway.AddSqlLine(QStringLiteral("b' as v"));
    gateway.OpenQuery();
    EXPECT_EQ(text("v"), QStringLiteral("a\r\nb"));
    open(QStringLiteral("select N'a\nb' as v"));
    EXPECT_EQ(text("v"), QStringLiteral("a\r\nb"));
    EXPECT_EQ(gateway.SqlLines(), QStringList({"select N'a", "b' as v"}));
}

TEST_F(Queries, FailedOpenLeavesNoResultOpen) {
    gateway.SetSql(QStringLiteral("select * from nosuch"));
    EXPECT_EQ(failureOf([&] { gateway.OpenQuery(); }),
              QStringLiteral("Invalid object name 'nosuch'."));
    EXPECT_FALSE(gateway.IsOpen());
    EXPECT_TRUE(gateway.Eof());
    gateway.SetSql(QStringLiteral("create table t(a int)"));
    EXPECT_EQ(failureOf([&] { gateway.OpenQuery(); }),
              QStringLiteral("The SQL text returned no result set"));
    EXPECT_FALSE(gateway.IsOpen());
}

TEST_F(Queries, NoSqlTextIsRefusedPlainly) {
    gateway.ClearSql();
    const QString refusal = QStringLiteral("qrySql: There is no SQL text to send");
    EXPECT_EQ(failureOf([&] { gateway.OpenQuery(); }), refusal);
    EXPECT_EQ(failureOf([&] { gateway.RunStatement(); }), refusal);
    gateway.SetSql(
        QStringLiteral("\r\n")); // one empty line: an empty batch, which the server takes
    EXPECT_EQ(gateway.RunStatement(), 0);
}

TEST_F(Queries, OpeningAgainFetchesAfresh) {
    open(QStringLiteral("select * from jobs"));
    exec(catalogForm(), QStringLiteral("insert into jobs values(N'004',N'x')"));
    gateway.OpenQuery();
    EXPECT_EQ(gateway.RowCount(), 4);
}

TEST_F(Queries, FailureLeavesAnOpenResultAsItWas) {
    open(QStringLiteral("select * from jobs order by sJobNum"));
    gateway.Next();
    const std::vector<std::function<void()>> failures = {
        [&] { gateway.FieldByName(QStringLiteral("nosuch")); },
        [&] { gateway.FieldByName(QStringLiteral("sJobName")).asInteger(); },
        [&] { gateway.SetConnectionString(serverForm()); },
        [&] { gateway.Post(); },
        [&] {
            server().kill9();
            gateway.RunStatement();
        },
        [&] { gateway.OpenQuery(); },
    };
    for (std::size_t failure = 0; failure < failures.size(); ++failure) {
        EXPECT_FALSE(failureOf(failures[failure]).isEmpty()) << "failure " << failure;
        ASSERT_TRUE(gateway.IsOpen()) << "failure " << failure;
        EXPECT_EQ(gateway.RowCount(), 3);
        EXPECT_EQ(text("sJobNum"), QStringLiteral("002"));
    }
}

// Every trip to the server is bracketed by the wait cursor, however it ends.
TEST_F(Queries, BusyIndicatorIsOnExactlyForEachTrip) {
    std::vector<bool> calls;
    gateway.SetBusyIndicator([&](bool busy) { calls.push_back(busy); });
    open(QStringLiteral("select * from jobs"));
    EXPECT_EQ(calls, std::vector<bool>({true, false}));
    gateway.Next();
    gateway.FieldByName(QStringLiteral("sJobNum")).asString();
    gateway.SetSql(QStringLiteral("insert into nosuch values(1)"));
    failureOf([&] { gateway.RunStatement(); });
    failureOf([&] { gateway.OpenQuery(); });
    EXPECT_EQ(calls, std::vector<bool>({true, false, true, false, true, false}));
}

} // namespace
