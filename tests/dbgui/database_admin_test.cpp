// Create, drop and initialise, checked on the server's side.
#include "tests/support/database_fixture.h"

#include <algorithm>

namespace {

const QString kCreated = QStringLiteral("建立数据库成功！");
const QString kCreateFailed = QStringLiteral(
    "建立数据库失败，请检查服务器上是否存在数据库score并且数据库中是否存在数据以及是否对"
    "SQL数据库有操作权限!");
const QString kDropQuestion =
    QStringLiteral("确定要删除数据库吗？\r\n\r\n删除数据库将丢失所有原数据！");
const QString kDropped = QStringLiteral("删除数据库成功！所有原数据全部丢失，需要重新配置！");
const QString kDropFailed = QStringLiteral(
    "删除数据库出错，请检查服务器上是否存在数据库score以及对SQL服务器是否有操作权限!");
const QString kInitialised = QStringLiteral("初始化数据库成功！");
const QString kInitialiseFailed = QStringLiteral(
    "初始化数据库失败！请检查数据库是否存在，以及数据库中是否存在表Scores，Jobs，WkInfo!"
    "同时确定对SQL服务器是否有操作权限！");
const QString kConnectionTestQuery =
    QStringLiteral("select * from master.dbo.sysdatabases where name='score '");

class DatabaseAdminTest : public DatabaseFormTest {
protected:
    bool scoreExists() {
        return !query(QStringLiteral("select name from master.dbo.sysdatabases where name='score'"),
                      QStringLiteral("master"))
                    .isEmpty();
    }
    QList<QStringList> positions() {
        auto rows = query(QStringLiteral("select sJobNum, sJobName from Jobs"));
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    void expectCreateOk() { boxes.expect(BoxKind::Information, QStringLiteral("提示"), kCreated); }
    void expectInitialiseOk() {
        boxes.expect(BoxKind::Information, QStringLiteral("提示"), kInitialised);
    }
};

const QList<QStringList> kSeedPositions{
    {QStringLiteral("001"), QStringLiteral("收银员")},
    {QStringLiteral("002"), QStringLiteral("网管")},
    {QStringLiteral("003"), QStringLiteral("技术员")},
};

} // namespace

TEST_F(DatabaseAdminTest, CreateMakesTheDatabaseAndASecondCreateLeavesItUntouched) {
    createConnectedForm();
    expectCreateOk();
    click("Button3");
    ASSERT_TRUE(scoreExists());

    exec(QStringLiteral("create table Marker(sNote nvarchar(10))"));
    exec(QStringLiteral("insert into Marker values(N'kept')"));
    boxes.expect(BoxKind::Error, QStringLiteral("错误提示"), kCreateFailed);
    click("Button3");
    EXPECT_EQ(query(QStringLiteral("select sNote from Marker")),
              QList<QStringList>{{QStringLiteral("kept")}});
    EXPECT_TRUE(enabled("Button3"));
}

TEST_F(DatabaseAdminTest, DropAnsweredNoSendsNothing) {
    createScoreDatabase();
    createConnectedForm();
    boxes.expect(BoxKind::Question, QStringLiteral("确定删除数据库"), kDropQuestion, Answer::No);
    click("Button4");
    EXPECT_TRUE(scoreExists());
    // The gateway still holds the connection test's text: nothing was handed to it.
    EXPECT_EQ(form().qrySql.SqlLines(), QStringList{kConnectionTestQuery});
}

TEST_F(DatabaseAdminTest, DropAnsweredYesRemovesTheDatabaseAndADropWithoutOneFails) {
    createScoreDatabase();
    createConnectedForm();
    boxes.expect(BoxKind::Question, QStringLiteral("确定删除数据库"), kDropQuestion, Answer::Yes);
    boxes.expect(BoxKind::Warning, QStringLiteral("提示"), kDropped);
    click("Button4");
    EXPECT_FALSE(scoreExists());

    boxes.expect(BoxKind::Question, QStringLiteral("确定删除数据库"), kDropQuestion, Answer::Yes);
    boxes.expect(BoxKind::Error, QStringLiteral("错误提示"), kDropFailed);
    click("Button4");
}

TEST_F(DatabaseAdminTest, InitialiseBeforeCreateFails) {
    createConnectedForm();
    boxes.expect(BoxKind::Error, QStringLiteral("错误提示"), kInitialiseFailed);
    click("Button5");
    EXPECT_FALSE(scoreExists());
}

TEST_F(DatabaseAdminTest, InitialiseTwiceSeedsThePositionsOnce) {
    createConnectedForm();
    expectCreateOk();
    click("Button3");
    expectInitialiseOk();
    click("Button5");
    boxes.expect(BoxKind::Error, QStringLiteral("错误提示"), kInitialiseFailed);
    click("Button5");
    EXPECT_EQ(positions(), kSeedPositions);
    EXPECT_EQ(query(QStringLiteral("select * from WkInfo")).size(), 0);
    EXPECT_EQ(query(QStringLiteral("select * from Scores")).size(), 0);
}

TEST_F(DatabaseAdminTest, NoButtonChangesWhatIsEnabled) {
    createConnectedForm();
    expectCreateOk();
    click("Button3");
    expectInitialiseOk();
    click("Button5");
    boxes.expect(BoxKind::Question, QStringLiteral("确定删除数据库"), kDropQuestion, Answer::Yes);
    boxes.expect(BoxKind::Warning, QStringLiteral("提示"), kDropped);
    click("Button4");
    for (const char* name : {"Button3", "Button4", "Button5", "Button6", "Button7"})
        EXPECT_TRUE(enabled(name)) << name;
    for (const char* name : {"Edit1", "Edit2", "Edit3", "Button1", "Button2"})
        EXPECT_FALSE(enabled(name)) << name;
}

namespace {

// A server whose code page cannot hold Chinese in a plain '…' literal.
class LatinCollationAdminTest : public DatabaseAdminTest {
protected:
    tdslite::testing::ServerOptions serverOptions() const override {
        return {{"--collation", "SQL_Latin1_General_CP1_CI_AS"}, {}};
    }
};

} // namespace

TEST_F(LatinCollationAdminTest, SeedNamesArriveAsChinese) {
    createConnectedForm();
    expectCreateOk();
    click("Button3");
    expectInitialiseOk();
    click("Button5");
    EXPECT_EQ(positions(), kSeedPositions);
}

namespace {

// Logins that may touch rows but not the database's shape.
class LimitedLoginAdminTest : public DatabaseAdminTest,
                              public ::testing::WithParamInterface<const char*> {
protected:
    tdslite::testing::ServerOptions serverOptions() const override {
        return {{"--login", "sa::sysadmin", "--login", "reader:pw:reader", "--login",
                 "writer:pw:writer"},
                {}};
    }
};

} // namespace

TEST_P(LimitedLoginAdminTest, EachOperationShowsItsOwnFailure) {
    createConnectedForm(QString::fromLatin1(GetParam()), QStringLiteral("pw"));
    boxes.expect(BoxKind::Error, QStringLiteral("错误提示"), kCreateFailed);
    click("Button3");
    EXPECT_FALSE(scoreExists());

    createScoreDatabase(false);
    boxes.expect(BoxKind::Error, QStringLiteral("错误提示"), kInitialiseFailed);
    click("Button5");
    EXPECT_TRUE(query(QStringLiteral("select * from sysobjects where name='Jobs'")).isEmpty());

    boxes.expect(BoxKind::Question, QStringLiteral("确定删除数据库"), kDropQuestion, Answer::Yes);
    boxes.expect(BoxKind::Error, QStringLiteral("错误提示"), kDropFailed);
    click("Button4");
    EXPECT_TRUE(scoreExists());
}

INSTANTIATE_TEST_SUITE_P(Roles, LimitedLoginAdminTest, ::testing::Values("reader", "writer"));
