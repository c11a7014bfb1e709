// "连接服务器": the typed server proved by one query, and the two states of the server panel.
#include "app/globals.h"
#include "tests/support/database_fixture.h"

#include <QApplication>

namespace {

const QString kErrorTitle = QStringLiteral("错误");
const QString kConnectFailed = QStringLiteral("连接服务器失败，请重新配置SQL服务器信息！");
const char* const kServerFields[] = {"Edit1", "Edit2", "Edit3", "Button1", "Button2"};
const char* const kAdministration[] = {"Button3", "Button4", "Button5", "Button6", "Button7"};

class ConnectionButton : public DatabaseFormTest {
protected:
    void test(const QString& address, const QString& user, const QString& password) {
        type("Edit1", address);
        type("Edit2", user);
        type("Edit3", password);
        click("Button2");
    }
    void expectConnected(bool connected) {
        for (const char* name : kServerFields)
            EXPECT_EQ(enabled(name), !connected) << name;
        for (const char* name : kAdministration)
            EXPECT_EQ(enabled(name), connected) << name;
    }
    void expectGlobals(const QString& address, const QString& user, const QString& password) {
        EXPECT_EQ(sServerIP, address);
        EXPECT_EQ(sUser, user);
        EXPECT_EQ(sPassword, password);
    }
};

// The server has no score database yet: the test passes all the same, silently.
TEST_F(ConnectionButton, SuccessLocksTheServerFieldsAndShowsNothing) {
    createForm();
    test(dataSource(), QStringLiteral("sa"), QString());
    EXPECT_TRUE(boxes.shown().empty());
    expectConnected(true);
    expectGlobals(dataSource(), QStringLiteral("sa"), QString());
    EXPECT_EQ(sConnStr, ServerConnStr({dataSource(), QStringLiteral("sa"), QString()}));
    EXPECT_EQ(sSql, QStringLiteral("select * from master.dbo.sysdatabases where name='score '"));
    EXPECT_FALSE(form().qrySql.IsOpen());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ConnectionButton, SucceedsWithAScoreDatabaseToo) {
    createScoreDatabase();
    createForm();
    test(dataSource(), QStringLiteral("sa"), QString());
    EXPECT_TRUE(boxes.shown().empty());
    expectConnected(true);
}

TEST_F(ConnectionButton, ResultLeftOpenByAnotherOperationDoesNotFailTheTest) {
    createScoreDatabase();
    createForm();
    form().qrySql.SetConnectionString(CatalogConnStr({dataSource(), "sa", ""}));
    form().qrySql.SetSql(QStringLiteral("select * from jobs"));
    form().qrySql.OpenQuery();
    test(dataSource(), QStringLiteral("sa"), QString());
    EXPECT_TRUE(boxes.shown().empty());
    expectConnected(true);
    EXPECT_FALSE(form().qrySql.IsOpen());
}

struct Wrong {
    const char* what;
    QString address; // "*" stands for the test server's own address
    QString user;
    QString password;
};

void PrintTo(const Wrong& wrong, std::ostream* out) {
    *out << wrong.what;
}

class WrongServer : public ConnectionButton, public ::testing::WithParamInterface<Wrong> {
protected:
    QString address() const {
        return GetParam().address == u"*" ? dataSource() : GetParam().address;
    }
};

TEST_P(WrongServer, ShowsTheOneMessageAndStaysNotConnected) {
    createForm();
    boxes.expect(BoxKind::Error, kErrorTitle, kConnectFailed);
    test(address(), GetParam().user, GetParam().password);
    boxes.verifyAllShown();
    expectConnected(false);
    expectGlobals(address(), GetParam().user, GetParam().password);
    EXPECT_FALSE(form().qrySql.IsOpen());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, WrongServer,
    ::testing::Values(Wrong{"wrong password", "*", "sa", "secret"},
                      Wrong{"unknown login", "*", "nobody", ""}, Wrong{"empty login", "*", "", ""},
                      Wrong{"port that is not a number", "127.0.0.1,x", "sa", ""},
                      Wrong{"password the driver cannot take", "*", "sa", "a};b"}));

TEST_F(ConnectionButton, ServerThatIsDownFails) {
    const QString address = dataSource();
    server().stop();
    createForm();
    boxes.expect(BoxKind::Error, kErrorTitle, kConnectFailed);
    test(address, QStringLiteral("sa"), QString());
    boxes.verifyAllShown();
    expectConnected(false);
}

TEST_F(ConnectionButton, CorrectedAddressAfterAFailureSucceedsWithTheNewValues) {
    tdslite::testing::ServerProcess gone;
    const QString goneAddress = QString::fromStdString(gone.dataSource());
    gone.stop();
    createForm();
    boxes.expect(BoxKind::Error, kErrorTitle, kConnectFailed);
    test(goneAddress, QStringLiteral("sa"), QString());
    boxes.verifyAllShown();
    expectConnected(false);

    test(dataSource(), QStringLiteral("sa"), QString());
    EXPECT_EQ(boxes.shown().size(), 1u);
    expectConnected(true);
    expectGlobals(dataSource(), QStringLiteral("sa"), QString());
    EXPECT_EQ(form().qrySql.ConnectionString(), ServerConnStr({dataSource(), "sa", ""}));
}

class OddPassword : public ConnectionButton {
protected:
    tdslite::testing::ServerOptions serverOptions() const override {
        return {{"--login", "admin:pa;s'w\"d=1:sysadmin"}, {}};
    }
};

TEST_F(OddPassword, LogsInAsTyped) {
    createForm();
    test(dataSource(), QStringLiteral("admin"), QStringLiteral("pa;s'w\"d=1"));
    EXPECT_TRUE(boxes.shown().empty());
    expectConnected(true);
}

} // namespace
