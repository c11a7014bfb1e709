// Logging in through FreeTDS: accepted logins, and the errors SQL Server gives refused ones.
#include "tdslite_fixture.h"

#include <gmock/gmock.h>

namespace tdslite::odbctest {
namespace {

using ::testing::UnorderedElementsAreArray;

class LoginTest : public TdsliteTest {
protected:
    LoginTest() : TdsliteTest({{"--login", "reader:secret;x=1:reader"}, ""}) {}
};

TEST_F(LoginTest, DefaultSaLoginWithEmptyPasswordConnects) {
    EXPECT_NO_THROW(connect());
}

TEST_F(LoginTest, LoginGivenOnTheCommandLineConnectsWithAPasswordHoldingSemicolons) {
    EXPECT_NO_THROW(connect("", "reader", "secret;x=1"));
}

struct RefusedLogin {
    const char* user;
    const char* password;
    const char* database;
    std::vector<int> nativeErrors;
};

TEST_F(LoginTest, RefusedLoginsReportSqlServersErrorNumbers) {
    const RefusedLogin cases[] = {
        {"sa", "wrong", "", {18456}},
        {"nobody", "", "", {18456}},
        {"reader", "", "", {18456}},
        {"sa", "", "score", {4060, 18456}},
    };
    for (const auto& refused : cases) {
        SCOPED_TRACE(std::string(refused.user) + "/" + refused.password + "/" + refused.database);
        try {
            connect(refused.database, refused.user, refused.password);
            ADD_FAILURE() << "login was accepted";
        } catch (const OdbcError& error) {
            std::vector<int> numbers;
            for (const auto& diagnostic : error.diagnostics) {
                if (diagnostic.nativeError != 0) {
                    numbers.push_back(diagnostic.nativeError);
                }
            }
            // ODBC ranks diagnostics itself; the order on the wire is checked by the raw socket
            // tests.
            EXPECT_THAT(numbers, UnorderedElementsAreArray(refused.nativeErrors));
        }
    }
}

TEST_F(LoginTest, ServerStaysUsableAfterRefusedLogins) {
    for (int i = 0; i < 3; ++i) {
        EXPECT_THROW(connect("", "sa", "wrong"), OdbcError);
    }
    EXPECT_NO_THROW(connect());
}

} // namespace
} // namespace tdslite::odbctest
