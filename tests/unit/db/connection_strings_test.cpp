// The two OLE DB texts the program builds, and that no typed value can end its key.
#include "db/connection_strings.h"
#include "db/oledb_connection_string.h"
#include "tests/support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

const ServerLogin kDefaults{QStringLiteral("127.0.0.1"), QStringLiteral("sa"), QString()};

TEST(ConnectionStrings, DefaultsGiveTheKnownTexts) {
    EXPECT_EQ(ServerConnStr(kDefaults),
              QStringLiteral("Provider=SQLOLEDB.1;Password=;Persist Security Info=True;User "
                             "ID=sa;Data Source=127.0.0.1"));
    EXPECT_EQ(CatalogConnStr(kDefaults),
              QStringLiteral("Provider=SQLOLEDB.1;Password=;Persist Security Info=True;User "
                             "ID=sa;Initial Catalog=score;Data Source=127.0.0.1"));
}

TEST(ConnectionStrings, OrdinaryValuesGoInAsTyped) {
    const ServerLogin login{QStringLiteral("db-host\\SQLEXPRESS,1500"), QStringLiteral("管理员"),
                            QStringLiteral("p@ss w=rd{}")};
    EXPECT_EQ(CatalogConnStr(login),
              QStringLiteral("Provider=SQLOLEDB.1;Password=p@ss w=rd{};Persist Security "
                             "Info=True;User ID=管理员;Initial Catalog=score;Data "
                             "Source=db-host\\SQLEXPRESS,1500"));
}

struct Quoting {
    const char* typed;
    const char* written;
};

void PrintTo(const Quoting& quoting, std::ostream* out) {
    *out << quoting.typed;
}

class ValueQuoting : public ::testing::TestWithParam<Quoting> {};

// Each form is checked in every one of the three places a typed value goes, and read back.
TEST_P(ValueQuoting, IsQuotedAndReadsBackWhole) {
    const QString typed = QString::fromUtf8(GetParam().typed);
    const QString written = QString::fromUtf8(GetParam().written);
    EXPECT_EQ(OleDbValue(typed), written);

    const ServerLogin login{typed, typed + u'u', u'p' + typed};
    for (const QString& text : {ServerConnStr(login), CatalogConnStr(login)}) {
        const auto parsed = OleDbConnectionString::parse(text);
        EXPECT_EQ(parsed.value(QStringLiteral("Data Source")), login.serverIP)
            << text.toStdString();
        EXPECT_EQ(parsed.value(QStringLiteral("User ID")), login.user) << text.toStdString();
        EXPECT_EQ(parsed.value(QStringLiteral("Password")), login.password) << text.toStdString();
        EXPECT_EQ(parsed.pairs().size(), text == ServerConnStr(login) ? 5 : 6);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, ValueQuoting,
    ::testing::Values(Quoting{"a;b", "\"a;b\""}, Quoting{"O'Brien", "\"O'Brien\""},
                      Quoting{"say \"hi\"", "'say \"hi\"'"},
                      Quoting{"both ' and \"", "'both '' and \"'"},
                      Quoting{"x;Initial Catalog=master", "\"x;Initial Catalog=master\""},
                      Quoting{"pa;s'w\"d", "'pa;s''w\"d'"}, Quoting{" lead", "\" lead\""},
                      Quoting{"trail ", "\"trail \""}, Quoting{"'", "\"'\""}, Quoting{"\"", "'\"'"},
                      Quoting{"''", "\"''\""}, Quoting{"\"\"", "'\"\"'"}, Quoting{"\t", "\"\t\""}));

} // namespace
