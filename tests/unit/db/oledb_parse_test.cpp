// Reading OLE DB connection strings back, as the provider reads them.
#include "db/database_error.h"
#include "db/oledb_connection_string.h"
#include "tests/support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

struct Reading {
    const char* text;
    const char* key;
    const char* value;
};

void PrintTo(const Reading& reading, std::ostream* out) {
    *out << reading.key << " in " << reading.text;
}

class OleDbReading : public ::testing::TestWithParam<Reading> {};

TEST_P(OleDbReading, FindsTheValue) {
    const auto parsed = OleDbConnectionString::parse(QString::fromUtf8(GetParam().text));
    EXPECT_EQ(parsed.value(QString::fromUtf8(GetParam().key)), QString::fromUtf8(GetParam().value));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, OleDbReading,
    ::testing::Values(Reading{"Password=;User ID=sa", "Password", ""},
                      Reading{"Password=;User ID=sa", "user id", "sa"},
                      Reading{"  User ID =  sa  ; ", "User ID", "sa"},
                      Reading{"Data Source=my'Name", "Data Source", "my'Name"},
                      Reading{"Data Source=a\"b", "Data Source", "a\"b"},
                      Reading{"Password=\"a;b\";User ID=x", "Password", "a;b"},
                      Reading{"Password='a\"b;c'", "Password", "a\"b;c"},
                      Reading{"Password='it''s'", "Password", "it's"},
                      Reading{"Password=\"say \"\"hi\"\"\"", "Password", "say \"hi\""},
                      Reading{"Password=\"  \"  ;", "Password", "  "},
                      Reading{"Key==Name=v", "Key=Name", "v"},
                      Reading{"Password=a=b", "Password", "a=b"},
                      // The last of two wins.
                      Reading{"User ID=a;USER ID=b", "User ID", "b"},
                      Reading{"User ID=a", "Initial Catalog", ""}, Reading{"", "User ID", ""},
                      Reading{";;", "User ID", ""}));

class OleDbMistakes : public ::testing::TestWithParam<const char*> {};

// The message names the place, never the text: it may hold the password.
TEST_P(OleDbMistakes, AreRefusedWithoutQuotingTheText) {
    try {
        OleDbConnectionString::parse(QString::fromUtf8(GetParam()));
        FAIL() << "accepted " << GetParam();
    } catch (const DatabaseError& failure) {
        EXPECT_TRUE(failure.text().startsWith(QStringLiteral("The connection string is not valid")))
            << failure.what();
        EXPECT_FALSE(failure.text().contains(QStringLiteral("secret"))) << failure.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, OleDbMistakes,
                         ::testing::Values("Password=\"secret", "Password='secret",
                                           "Password=\"secret\"x;User ID=a", "secret",
                                           "User ID=a;secret", "=secret"));

} // namespace
