// RunStatement: the whole batch runs as the server runs it, and says how many rows changed.
#include "tests/gateway/gateway_fixture.h"

namespace {

class Batches : public GatewayTest {
protected:
    void SetUp() override {
        GatewayTest::SetUp();
        createScoreTables();
        gateway.SetConnectionString(catalogForm());
    }
    QString jobNumbers() {
        gateway.SetSql(QStringLiteral("select sJobNum from jobs order by sJobNum"));
        gateway.OpenQuery();
        QStringList numbers;
        for (; !gateway.Eof(); gateway.Next())
            numbers << gateway.FieldByName(QStringLiteral("sJobNum")).asString();
        gateway.Close();
        return numbers.join(u',');
    }
};

TEST_F(Batches, CountTheRowsEveryStatementChanged) {
    gateway.SetSql(QStringLiteral("insert into jobs values(N'001',N'a')\r\n"
                                  "insert into jobs values(N'002',N'b')\r\n"
                                  "insert into jobs values(N'003',N'c')"));
    EXPECT_EQ(gateway.RunStatement(), 3);
    // A statement that changes nothing, one that reads and one that changes two.
    gateway.SetSql(QStringLiteral("update jobs set sJobName=N'x' where sJobNum=N'999'\r\n"
                                  "select * from jobs\r\n"
                                  "update jobs set sJobName=N'y' where sJobNum<>N'001'"));
    EXPECT_EQ(gateway.RunStatement(), 2);
    gateway.SetSql(QStringLiteral("create table t(a int)"));
    EXPECT_EQ(gateway.RunStatement(), 0);
}

TEST_F(Batches, GoOnPastAFailingStatementAndFailWithItsText) {
    exec(catalogForm(), QStringLiteral("insert into jobs values(N'001',N'a')"));
    gateway.SetSql(QStringLiteral("insert into jobs values(N'002',N'b')\r\n"
                                  "insert into jobs values(N'001',N'dup')\r\n"
                                  "insert into jobs values(N'003',N'c')"));
    const QString failure = failureOf([&] { gateway.RunStatement(); });
    EXPECT_TRUE(failure.startsWith(QStringLiteral("Violation of PRIMARY KEY constraint")))
        << failure.toStdString();
    EXPECT_FALSE(failure.contains(u'[')) << failure.toStdString();
    EXPECT_EQ(jobNumbers(), QStringLiteral("001,002,003"));
}

TEST_F(Batches, ReportTheFirstOfSeveralFailures) {
    exec(catalogForm(), QStringLiteral("insert into jobs values(N'001',N'a')"));
    gateway.SetSql(QStringLiteral("insert into jobs values(N'001',N'dup')\r\n"
                                  "insert into jobs values(N'002',N'b')\r\n"
                                  "insert into jobs values(N'003',null)\r\n"
                                  "insert into jobs values(N'004',N'd')"));
    const QString failure = failureOf([&] { gateway.RunStatement(); });
    EXPECT_TRUE(failure.startsWith(QStringLiteral("Violation of PRIMARY KEY constraint")))
        << failure.toStdString();
    EXPECT_EQ(jobNumbers(), QStringLiteral("001,002,004"));
}

} // namespace
