// Values through SqlText reach the server whole, and the text goes as written: ":" and "?"
// are nobody's parameter markers.
#include "db/sql_literal.h"
#include "tests/gateway/gateway_fixture.h"

namespace {

class Literals : public GatewayTest {
protected:
    void SetUp() override {
        GatewayTest::SetUp();
        createScoreTables();
        gateway.SetConnectionString(catalogForm());
    }
    // Stores `name` as a position and reads it back by its number.
    QString storedName(const QString& number, const QString& nameLiteral) {
        gateway.SetSql(QStringLiteral("insert into jobs values(") + SqlText(number) + u',' +
                       nameLiteral + u')');
        gateway.RunStatement();
        return scalar(gateway,
                      QStringLiteral("select sJobName from jobs where sJobNum=") + SqlText(number));
    }
};

TEST_F(Literals, NamesArriveWholeAndAreFoundAgain) {
    const QString names[] = {
        QStringLiteral("O'Brien"),
        QStringLiteral("张三"),
        QStringLiteral("''"),
        QStringLiteral("a:b"),
        QStringLiteral(":name"),
        QStringLiteral("a?b"),
        QStringLiteral("?"),
        QStringLiteral("{fn now()}"),
        QStringLiteral("x'; drop table jobs--"),
    };
    int number = 0;
    for (const QString& name : names) {
        const QString key = QString::number(++number);
        EXPECT_EQ(storedName(key, SqlText(name)), name);
        // And found by it, the comparison done by the server.
        EXPECT_EQ(scalar(gateway, QStringLiteral("select sJobNum from jobs where sJobName=") +
                                      SqlText(name)),
                  key);
    }
    EXPECT_EQ(scalar(gateway, QStringLiteral("select count(*) from jobs")),
              QString::number(number));
}

// Marker characters outside literals too: in a quoted name and a comment.
TEST_F(Literals, QuestionMarksAndColonsOutsideLiteralsAreSentAsWritten) {
    gateway.SetSql(QStringLiteral("select N'x' as [what?] -- why? :because\r\n"));
    gateway.OpenQuery();
    EXPECT_EQ(gateway.FieldNames(), QStringList({"what?"}));
    EXPECT_EQ(gateway.FieldByName(QStringLiteral("WHAT?")).asString(), QStringLiteral("x"));
}

class LatinCollation : public Literals {
protected:
    tdslite::testing::ServerOptions serverOptions() const override {
        return {{"--collation", "SQL_Latin1_General_CP1_CI_AS"}, {}};
    }
};

// The fault the N form mends: a plain literal is in the database's code page, so a name
// outside it is stored as question marks.
TEST_F(LatinCollation, PlainLiteralLosesWhatTheUnicodeOneKeeps) {
    EXPECT_EQ(storedName(QStringLiteral("1"), QStringLiteral("'张三'")), QStringLiteral("??"));
    EXPECT_EQ(storedName(QStringLiteral("2"), SqlText(QStringLiteral("张三"))),
              QStringLiteral("张三"));
    EXPECT_EQ(storedName(QStringLiteral("3"), SqlText(QStringLiteral("O'Brien"))),
              QStringLiteral("O'Brien"));
}

} // namespace
