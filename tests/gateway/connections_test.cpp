// The held connection: opened once, kept while the text stays the same, replaced when it
// changes, never checked by itself; and what makes a login fail.
#include "tests/gateway/gateway_fixture.h"

namespace {

const QString kOpenResultError =
    QStringLiteral("qrySql: Cannot perform this operation on an open dataset");

TEST_F(GatewayTest, KeepsOneSessionWhileTheConnectionStringStaysTheSame) {
    createScoreTables();
    gateway.SetConnectionString(catalogForm());
    const QString first = sessionOf(gateway);
    for (int round = 0; round < 5; ++round) {
        gateway.SetConnectionString(catalogForm());
        gateway.SetSql(QStringLiteral("insert into jobs values(N'%1',N'x')").arg(round));
        gateway.RunStatement();
        gateway.SetSql(QStringLiteral("select * from jobs"));
        gateway.OpenQuery();
        gateway.Close();
        EXPECT_EQ(sessionOf(gateway), first) << "round " << round;
    }

    gateway.SetConnectionString(serverForm());
    const QString second = sessionOf(gateway);
    EXPECT_NE(second, first);
    EXPECT_EQ(sessionOf(gateway), second);
    gateway.SetConnectionString(catalogForm());
    EXPECT_NE(sessionOf(gateway), first);
    EXPECT_NE(sessionOf(gateway), second);
}

TEST_F(GatewayTest, OpenResultRefusesAnotherConnectionStringAndStaysAsItWas) {
    createScoreTables();
    exec(catalogForm(), QStringLiteral("insert into jobs values(N'001',N'a')\r\n"
                                       "insert into jobs values(N'002',N'b')"));
    gateway.SetConnectionString(catalogForm());
    gateway.SetSql(QStringLiteral("select * from jobs order by sJobNum"));
    gateway.OpenQuery();
    gateway.Next();

    EXPECT_EQ(failureOf([&] { gateway.SetConnectionString(serverForm()); }), kOpenResultError);
    EXPECT_EQ(gateway.ConnectionString(), catalogForm());
    ASSERT_TRUE(gateway.IsOpen());
    EXPECT_EQ(gateway.RowCount(), 2);
    EXPECT_EQ(gateway.FieldByName(QStringLiteral("sJobNum")).asString(), QStringLiteral("002"));

    // The same text is no change at all, open result or not.
    gateway.SetConnectionString(catalogForm());
    EXPECT_TRUE(gateway.IsOpen());

    // Setting the SQL text first closes the result; then the other form is taken.
    gateway.SetSql(QStringLiteral("select name from master.dbo.sysdatabases"));
    EXPECT_FALSE(gateway.IsOpen());
    gateway.SetConnectionString(serverForm());
    EXPECT_EQ(gateway.ConnectionString(), serverForm());
}

TEST_F(GatewayTest, SessionBrokenUnderneathKeepsFailingUntilTheTextChanges) {
    gateway.SetConnectionString(serverForm());
    sessionOf(gateway);
    server().restart(); // same data, new port: the held session is gone
    gateway.SetSql(QStringLiteral("select 1 as a"));
    EXPECT_FALSE(failureOf([&] { gateway.OpenQuery(); }).isEmpty());
    EXPECT_FALSE(failureOf([&] { gateway.RunStatement(); }).isEmpty());
    EXPECT_FALSE(gateway.IsOpen());

    gateway.SetConnectionString(serverForm()); // the new port
    EXPECT_FALSE(sessionOf(gateway).isEmpty());
}

TEST_F(GatewayTest, ServerThatIsDownFailsEveryTripWithAMessage) {
    const QString connectionString = serverForm();
    server().stop();
    gateway.SetConnectionString(connectionString);
    gateway.SetSql(QStringLiteral("select 1 as a"));
    for (int attempt = 0; attempt < 2; ++attempt) {
        const QString failure = failureOf([&] { gateway.OpenQuery(); });
        EXPECT_FALSE(failure.isEmpty());
        EXPECT_FALSE(failure.startsWith(u'[')) << failure.toStdString();
        EXPECT_FALSE(gateway.IsOpen());
    }
}

TEST_F(GatewayTest, LoginIsRefusedWithTheServersWords) {
    struct Refusal {
        ServerLogin login;
        QString message;
    };
    const Refusal refusals[] = {
        {login(QStringLiteral("sa"), QStringLiteral("wrong")),
         QStringLiteral("Login failed for user 'sa'.")},
        {login(QStringLiteral("nobody")), QStringLiteral("Login failed for user 'nobody'.")},
    };
    for (const Refusal& refusal : refusals) {
        SqlGateway refused;
        refused.SetConnectionString(ServerConnStr(refusal.login));
        refused.SetSql(QStringLiteral("select 1 as a"));
        EXPECT_EQ(failureOf([&] { refused.OpenQuery(); }), refusal.message);
        EXPECT_EQ(failureOf([&] { refused.RunStatement(); }), refusal.message);
    }
}

// The server sends "Cannot open database …" and then "Login failed …"; the driver ranks the
// second first, and the gateway shows the first record, as ODBC orders them.
TEST_F(GatewayTest, CatalogueThatDoesNotExistRefusesTheLogin) {
    gateway.SetConnectionString(catalogForm());
    gateway.SetSql(QStringLiteral("select 1 as a"));
    EXPECT_EQ(failureOf([&] { gateway.OpenQuery(); }),
              QStringLiteral("Login failed for user 'sa'."));
    EXPECT_FALSE(gateway.IsOpen());
}

TEST_F(GatewayTest, ConnectionStringThatCannotBeReadIsRefusedAtTheFirstTrip) {
    gateway.SetConnectionString(QStringLiteral("Password=\"secret;Data Source=") + dataSource());
    gateway.SetSql(QStringLiteral("select 1 as a"));
    const QString failure = failureOf([&] { gateway.OpenQuery(); });
    EXPECT_TRUE(failure.startsWith(QStringLiteral("The connection string is not valid")))
        << failure.toStdString();

    gateway.SetConnectionString(ServerConnStr({dataSource() + QStringLiteral("x"), "sa", ""}));
    EXPECT_EQ(
        failureOf([&] { gateway.OpenQuery(); }),
        QStringLiteral("The server address '%1x' does not give a valid port").arg(dataSource()));
}

// Logins whose names and passwords hold every character the two connection-string syntaxes
// treat specially.
class OddLogins : public GatewayTest {
protected:
    tdslite::testing::ServerOptions serverOptions() const override {
        return {{"--login", "odd:pa;s'w\"d}{=x}:sysadmin", "--login",
                 "o'b;r\"i}en:  spaced  :reader", "--login", "cut:x};y:reader"},
                {}};
    }
};

TEST_F(OddLogins, LogInWithTheirPasswordsAsTyped) {
    const ServerLogin logins[] = {
        login(QStringLiteral("odd"), QStringLiteral("pa;s'w\"d}{=x}")),
        login(QStringLiteral("o'b;r\"i}en"), QStringLiteral("  spaced  ")),
    };
    for (const ServerLogin& typed : logins) {
        SqlGateway odd;
        odd.SetConnectionString(ServerConnStr(typed));
        EXPECT_EQ(scalar(odd, QStringLiteral("select suser_sname() as who")), typed.user);
    }
    // One character short is not the password.
    SqlGateway refused;
    refused.SetConnectionString(
        ServerConnStr(login(QStringLiteral("odd"), QStringLiteral("pa;s'w\"d}{="))));
    EXPECT_EQ(failureOf([&] { scalar(refused, QStringLiteral("select 1 as a")); }),
              QStringLiteral("Login failed for user 'odd'."));
}

// FreeTDS has no way to take "};" inside a value: refused before anything is sent, rather
// than logging in with part of the password.
TEST_F(OddLogins, PasswordTheDriverCannotTakeIsRefusedPlainly) {
    SqlGateway cut;
    cut.SetConnectionString(ServerConnStr(login(QStringLiteral("cut"), QStringLiteral("x};y"))));
    EXPECT_EQ(failureOf([&] { scalar(cut, QStringLiteral("select 1 as a")); }),
              QStringLiteral("The connection string holds \"};\", which the database driver "
                             "cannot take"));
}

} // namespace
