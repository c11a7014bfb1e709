// Start-up: Setup.ini into the global values and the server fields.
#include "app/globals.h"
#include "tests/support/form_fixture.h"

#include <QDir>

namespace {

struct StartupCase {
    const char* name;
    QByteArray ini; // empty: no Setup.ini at all
    QString serverIP;
    QString user;
    QString password;
    std::int32_t skinIndex;
};

void PrintTo(const StartupCase& c, std::ostream* out) {
    *out << c.name;
}

class SettingsStartup : public FormTest, public ::testing::WithParamInterface<StartupCase> {};

TEST_P(SettingsStartup, ShowsSavedServer) {
    if (!GetParam().ini.isEmpty())
        writeIni(GetParam().ini);
    createForm();
    EXPECT_EQ(text("Edit1"), GetParam().serverIP);
    EXPECT_EQ(text("Edit2"), GetParam().user);
    EXPECT_EQ(text("Edit3"), GetParam().password);
    EXPECT_EQ(sServerIP, GetParam().serverIP);
    EXPECT_EQ(sUser, GetParam().user);
    EXPECT_EQ(sPassword, GetParam().password);
    EXPECT_EQ(iSkinIndex, GetParam().skinIndex);
}

INSTANTIATE_TEST_SUITE_P(
    Ini, SettingsStartup,
    ::testing::Values(
        StartupCase{"no file", {}, "127.0.0.1", "sa", "", 0},
        StartupCase{"other section only", "[Client]\r\nIP=10.9.9.9\r\n", "127.0.0.1", "sa", "", 0},
        StartupCase{
            "all keys",
            "[Setup]\r\nIP=192.168.0.7\r\nUser=scorer\r\nPassword=616263\r\nSkinIndex=3\r\n",
            "192.168.0.7", "scorer", "abc", 3},
        StartupCase{"mixed-case pairs", "[Setup]\r\nPassword=6a6B\r\n", "127.0.0.1", "sa", "jk", 0},
        StartupCase{"odd length", "[Setup]\r\nPassword=616\r\n", "127.0.0.1", "sa", "", 0},
        StartupCase{"hex skin index", "[Setup]\r\nSkinIndex=$5\r\n", "127.0.0.1", "sa", "", 5},
        StartupCase{"bad skin index", "[Setup]\r\nSkinIndex=five\r\n", "127.0.0.1", "sa", "", 0},
        StartupCase{"empty values", "[Setup]\r\nIP=\r\nUser=\r\n", "", "", "", 0}));

TEST_F(FormTest, BadPasswordPairIsShownAndStartUpGoesOn) {
    writeIni("[Setup]\r\nIP=10.0.0.5\r\nUser=admin\r\nPassword=61zz\r\nSkinIndex=2\r\n");
    // The application-level box, its "." added to the conversion's own text.
    boxes.expect(BoxKind::Error, QStringLiteral("Scoresetup"),
                 QStringLiteral("''$zz'' is not a valid integer value."));
    createForm();
    boxes.verifyAllShown();

    EXPECT_EQ(text("Edit1"), QStringLiteral("10.0.0.5"));
    EXPECT_EQ(text("Edit2"), QStringLiteral("admin"));
    EXPECT_EQ(text("Edit3"), QString());
    EXPECT_EQ(sPassword, QString());
    EXPECT_EQ(iSkinIndex, 2);
    EXPECT_EQ(selectedIndex("ComboBox1"), 2); // the skin list filled, the saved skin picked
    EXPECT_EQ(items("ComboBox2"), (QStringList{QStringLiteral("男"), QStringLiteral("女")}));

    // And the damaged password can be typed again and saved.
    type("Edit3", QStringLiteral("abc"));
    boxes.expectAnyText(BoxKind::Information, QStringLiteral("提示"));
    click("Button1");
    EXPECT_EQ(readIni().toStdString(),
              "[Setup]\r\nIP=10.0.0.5\r\nUser=admin\r\nPassword=616263\r\nSkinIndex=2\r\n");
}

} // namespace
