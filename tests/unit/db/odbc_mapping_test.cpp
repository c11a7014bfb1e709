// How the OLE DB text becomes the ODBC connection string the driver gets.
#include "db/connection_strings.h"
#include "db/database_error.h"
#include "db/odbc_connection_string.h"
#include "tests/support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

struct Address {
    const char* dataSource;
    const char* server;
    const char* port;
};

void PrintTo(const Address& address, std::ostream* out) {
    *out << address.dataSource;
}

class DataSourceForms : public ::testing::TestWithParam<Address> {};

TEST_P(DataSourceForms, GiveServerAndPort) {
    const ServerAddress address = ParseDataSource(QString::fromUtf8(GetParam().dataSource));
    EXPECT_EQ(address.server, QString::fromUtf8(GetParam().server));
    EXPECT_EQ(address.port, QString::fromUtf8(GetParam().port));
}

INSTANTIATE_TEST_SUITE_P(
    Forms, DataSourceForms,
    ::testing::Values(Address{"127.0.0.1", "127.0.0.1", "1433"},
                      Address{"db.example.org", "db.example.org", "1433"},
                      Address{"127.0.0.1,41433", "127.0.0.1", "41433"},
                      Address{" host , 1500 ", "host", "1500"},
                      Address{"host\\SQLEXPRESS", "host\\SQLEXPRESS", ""},
                      // A port given names the server process; the instance is then moot.
                      Address{"host\\SQLEXPRESS,1500", "host", "1500"},
                      Address{"tcp:host,1500", "host", "1500"},
                      Address{"(local)", "127.0.0.1", "1433"}, Address{".", "127.0.0.1", "1433"},
                      Address{".\\SQLEXPRESS", "127.0.0.1\\SQLEXPRESS", ""},
                      Address{"", "127.0.0.1", "1433"}, Address{"::1", "::1", "1433"}));

class BadPorts : public ::testing::TestWithParam<const char*> {};

TEST_P(BadPorts, AreRefusedWithTheAddress) {
    const QString dataSource = QString::fromUtf8(GetParam());
    try {
        ParseDataSource(dataSource);
        FAIL() << "accepted " << GetParam();
    } catch (const DatabaseError& failure) {
        EXPECT_EQ(
            failure.text(),
            QStringLiteral("The server address '%1' does not give a valid port").arg(dataSource));
    }
}

INSTANTIATE_TEST_SUITE_P(Ports, BadPorts,
                         ::testing::Values("host,", "host,abc", "host,0", "host,65536", "host,-1",
                                           "host,1433,1", "host,99999999999"));

struct Braced {
    const char* value;
    const char* standard;
    const char* freeTds;
};

void PrintTo(const Braced& braced, std::ostream* out) {
    *out << braced.value;
}

class BracedValues : public ::testing::TestWithParam<Braced> {};

// Each followed by ";", as every value but the last is in the text.
TEST_P(BracedValues, StayOneValueUnderEitherRule) {
    const QString value = QString::fromUtf8(GetParam().value);
    EXPECT_EQ(OdbcValue(value, BraceRule::Standard), QString::fromUtf8(GetParam().standard));
    EXPECT_EQ(OdbcValue(value, BraceRule::FreeTds), QString::fromUtf8(GetParam().freeTds));
}

INSTANTIATE_TEST_SUITE_P(Values, BracedValues,
                         ::testing::Values(Braced{"", "{}", "{}"}, Braced{"a;b", "{a;b}", "{a;b}"},
                                           Braced{"x}", "{x}}}", "{x}}"},
                                           Braced{"x}}y{", "{x}}}}y{}", "{x}}y{}"},
                                           Braced{"a=b'c\"", "{a=b'c\"}", "{a=b'c\"}"}));

TEST(FreeTdsValues, ThatItWouldCutAreRefused) {
    EXPECT_EQ(OdbcValue(QStringLiteral("x};PWD={y"), BraceRule::Standard),
              QStringLiteral("{x}};PWD={y}"));
    try {
        OdbcValue(QStringLiteral("x};PWD={y"), BraceRule::FreeTds);
        FAIL() << "accepted";
    } catch (const DatabaseError& failure) {
        EXPECT_EQ(failure.text(),
                  QStringLiteral("The connection string holds \"};\", which the database driver "
                                 "cannot take"));
    }
}

TEST(BraceRule, FollowsTheDriver) {
    EXPECT_EQ(BraceRuleOf(QStringLiteral("FreeTDS")), BraceRule::FreeTds);
    EXPECT_EQ(BraceRuleOf(QStringLiteral("/usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so")),
              BraceRule::FreeTds);
    EXPECT_EQ(BraceRuleOf(QStringLiteral("SQL Server")), BraceRule::Standard);
}

struct Mapping {
    ServerLogin login;
    bool catalog;
    const char* odbc;
};

void PrintTo(const Mapping& mapping, std::ostream* out) {
    *out << mapping.odbc;
}

class OdbcMapping : public ::testing::TestWithParam<Mapping> {};

TEST_P(OdbcMapping, CarriesEveryKey) {
    const Mapping& mapping = GetParam();
    const QString oledb =
        mapping.catalog ? CatalogConnStr(mapping.login) : ServerConnStr(mapping.login);
    EXPECT_EQ(OdbcConnectionString(OleDbConnectionString::parse(oledb), QStringLiteral("FreeTDS")),
              QString::fromUtf8(mapping.odbc));
}

INSTANTIATE_TEST_SUITE_P(
    Logins, OdbcMapping,
    ::testing::Values(
        Mapping{{QStringLiteral("127.0.0.1"), QStringLiteral("sa"), QString()},
                false,
                "DRIVER={FreeTDS};SERVER={127.0.0.1};PORT={1433};UID={sa};PWD={};"
                "TDS_Version=7.4;ClientCharset=UTF-8;PacketSize=32767"},
        Mapping{{QStringLiteral("127.0.0.1,5000"), QStringLiteral("sa"), QStringLiteral("x")},
                true,
                "DRIVER={FreeTDS};SERVER={127.0.0.1};PORT={5000};UID={sa};PWD={x};"
                "DATABASE={score};TDS_Version=7.4;ClientCharset=UTF-8;PacketSize=32767"},
        Mapping{
            {QStringLiteral("srv\\INST"), QStringLiteral("管理员"), QStringLiteral("pa;s'w\"d}")},
            true,
            "DRIVER={FreeTDS};SERVER={srv\\INST};UID={管理员};PWD={pa;s'w\"d}};"
            "DATABASE={score};TDS_Version=7.4;ClientCharset=UTF-8;PacketSize=32767"},
        // A value that tries to add a key stays inside its own.
        Mapping{{QStringLiteral("h"), QStringLiteral("u;Initial Catalog=master"),
                 QStringLiteral("x;DATABASE={master}")},
                false,
                "DRIVER={FreeTDS};SERVER={h};PORT={1433};UID={u;Initial Catalog=master};"
                "PWD={x;DATABASE={master}};TDS_Version=7.4;ClientCharset=UTF-8;PacketSize=32767"}));

} // namespace
