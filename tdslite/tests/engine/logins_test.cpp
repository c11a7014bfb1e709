// Logins from the configuration and what each role may do.
#include "engine_fixture.h"

namespace tdslite::testing {
namespace {

LoginOutcome tryLogin(Engine& engine, const std::string& user, const std::string& password,
                      const std::string& database = "") {
    std::unique_ptr<Session> session;
    LoginOutcome outcome = engine.login({u16(user), u16(password), u16(database)}, &session);
    EXPECT_EQ(outcome.accepted, session != nullptr);
    return outcome;
}

TEST_F(EngineTest, DefaultLoginIsSaWithAnEmptyPassword) {
    LoginOutcome outcome = tryLogin(*engine_, "SA", "");
    EXPECT_TRUE(outcome.accepted);
    EXPECT_EQ(outcome.database, u"master");
    EXPECT_TRUE(outcome.messages.empty());
}

TEST_F(EngineTest, RefusedLogins) {
    for (auto [user, password] : {std::pair{"sa", "x"}, std::pair{"nobody", ""}}) {
        LoginOutcome outcome = tryLogin(*engine_, user, password);
        EXPECT_FALSE(outcome.accepted);
        ASSERT_EQ(outcome.messages.size(), 1u);
        EXPECT_EQ(outcome.messages[0].number, 18456);
        EXPECT_EQ(outcome.messages[0].severity, 14);
        EXPECT_EQ(u8(outcome.messages[0].text),
                  std::string("Login failed for user '") + user + "'.");
    }
}

TEST_F(EngineTest, MissingInitialDatabaseRefusesTheLogin) {
    LoginOutcome outcome = tryLogin(*engine_, "sa", "", "score");
    EXPECT_FALSE(outcome.accepted);
    ASSERT_EQ(outcome.messages.size(), 2u);
    EXPECT_EQ(outcome.messages[0].number, 4060);
    EXPECT_EQ(outcome.messages[0].severity, 11);
    EXPECT_EQ(u8(outcome.messages[0].text),
              "Cannot open database \"score\" requested by the login. The login failed.");
    EXPECT_EQ(outcome.messages[1].number, 18456);
    ok("create database score");
    LoginOutcome accepted = tryLogin(*engine_, "sa", "", "SCORE");
    EXPECT_TRUE(accepted.accepted);
    EXPECT_EQ(accepted.database, u"score");
}

class RoleTest : public EngineTest {
protected:
    void SetUp() override {
        logins_ = {{"admin", "Secret1", Role::SysAdmin},
                   {"clerk", "pw", Role::Writer},
                   {"viewer", "pw", Role::Reader}};
        user_ = "Admin";
        password_ = "Secret1";
        EngineTest::SetUp();
        initialiseScore();
        ok("use master");
    }
};

TEST_F(RoleTest, PasswordsCompareExactly) {
    EXPECT_FALSE(tryLogin(*engine_, "admin", "secret1").accepted);
    EXPECT_FALSE(tryLogin(*engine_, "sa", "").accepted);
    EXPECT_TRUE(tryLogin(*engine_, "ADMIN", "Secret1").accepted);
}

TEST_F(RoleTest, WriterChangesRowsOnly) {
    auto clerk = connect("clerk", "pw", "score");
    for (const char* sql :
         {"insert into Jobs values('004','x')", "update Jobs set sJobName='y' where sJobNum='004'",
          "select * from Jobs", "delete from Jobs where sJobNum='004'"}) {
        EXPECT_FALSE(run(*clerk, sql).statements[0].failed) << sql;
    }
    StatementResult table = run(*clerk, "create table T(a int)").statements[0];
    EXPECT_EQ(errorNumbers(table), std::vector<int>{262});
    EXPECT_EQ(table.messages[0].severity, 14);
    EXPECT_EQ(u8(table.messages[0].text), "CREATE TABLE permission denied in database 'score'.");
    StatementResult database = run(*clerk, "create database other").statements[0];
    EXPECT_EQ(u8(database.messages[0].text),
              "CREATE DATABASE permission denied in database 'master'.");
    auto clerkAtServer = connect("clerk", "pw");
    StatementResult drop = run(*clerkAtServer, "drop database score").statements[0];
    EXPECT_EQ(errorNumbers(drop), std::vector<int>{3701});
    EXPECT_EQ(u8(drop.messages[0].text),
              "Cannot drop the database 'score', because it does not exist or you do not have "
              "permission.");
}

TEST_F(RoleTest, ReaderOnlySelects) {
    auto viewer = connect("viewer", "pw", "score");
    EXPECT_EQ(run(*viewer, "select * from Jobs").statements[0].rowCount, 3);
    struct Denied {
        const char* sql;
        const char* text;
    };
    for (const Denied& denied :
         {Denied{"insert into jobs values('004','x')",
                 "The INSERT permission was denied on the object 'Jobs', database 'score', schema "
                 "'dbo'."},
          Denied{"update wkinfo set swkname='x'",
                 "The UPDATE permission was denied on the object 'WkInfo', database 'score', "
                 "schema 'dbo'."},
          Denied{"delete from score.dbo.scores",
                 "The DELETE permission was denied on the object 'Scores', database 'score', "
                 "schema 'dbo'."}}) {
        StatementResult result = run(*viewer, denied.sql).statements[0];
        EXPECT_EQ(errorNumbers(result), std::vector<int>{229});
        EXPECT_EQ(result.messages[0].severity, 14);
        EXPECT_EQ(u8(result.messages[0].text), denied.text);
    }
    EXPECT_EQ(ok("select * from score.dbo.jobs").statements[0].rowCount, 3);
}

TEST_F(RoleTest, DropWhileAnotherSessionUsesTheDatabase) {
    auto user = connect("clerk", "pw", "score");
    StatementResult refused = run("drop database score").statements[0];
    EXPECT_EQ(errorNumbers(refused), std::vector<int>{3702});
    run(*user, "use master");
    ok("use score");
    EXPECT_EQ(errorNumbers(run("drop database score").statements[0]), std::vector<int>{3702});
    ok("use master");
    ok("drop database score");
    user.reset();
    EXPECT_EQ(ok("select * from sysdatabases where name='score'").statements[0].rowCount, 0);
}

} // namespace
} // namespace tdslite::testing
