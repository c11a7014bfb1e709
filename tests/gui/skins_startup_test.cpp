// The look the program starts in: the start-up style, then the one remembered in Setup.ini.
#include "tests/support/form_fixture.h"
#include "ui/skins/engine/style_engine.h"
#include "ui/skins/startup_skin.h"

#include <QFile>
#include <cctype>
#include <string>

namespace {

const QString kStartupSkin = QString::fromUtf16(::kStartupSkin);

struct RememberedCase {
    const char* name;
    QByteArray ini; // empty: no Setup.ini at all
    int selected;
    const char* style;
};

void PrintTo(const RememberedCase& c, std::ostream* out) {
    *out << c.name;
}

class RememberedSkin : public FormTest, public ::testing::WithParamInterface<RememberedCase> {};

TEST_P(RememberedSkin, IsAppliedAndSelectedInTheHiddenList) {
    const RememberedCase& c = GetParam();
    if (!c.ini.isEmpty())
        writeIni(c.ini);
    // As the program starts: the start-up style is in force before the window exists.
    ScriptedStyleNotFoundDialog notFound;
    applyStartupSkin(kStartupSkin, notFound);
    createForm();
    EXPECT_EQ(items("ComboBox1"), skinNames());
    EXPECT_EQ(selectedIndex("ComboBox1"), c.selected);
    EXPECT_EQ(currentStyleName(), QString::fromLatin1(c.style));
    EXPECT_FALSE(widget("ComboBox1")->isVisible());
    // Selecting at start is not a pick: the file is left exactly as it was, or not made.
    EXPECT_EQ(QFile::exists(iniPath()), !c.ini.isEmpty());
    EXPECT_EQ(readIni(), c.ini);
    EXPECT_TRUE(notFound.texts.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Ini, RememberedSkin,
    ::testing::Values(
        RememberedCase{"no file", {}, 0, "Windows"},
        RememberedCase{"no key", "[Setup]\r\nIP=10.0.0.5\r\n", 0, "Windows"},
        RememberedCase{"3", "[Setup]\r\nSkinIndex=3\r\n", 3, "Slate Classico"},
        RememberedCase{"7, the start-up style", "[Setup]\r\nSkinIndex=7\r\n", 7,
                       "Smokey Quartz Kamri"},
        RememberedCase{"minus 1", "[Setup]\r\nSkinIndex=-1\r\n", 0, "Windows"},
        RememberedCase{"8, past the last", "[Setup]\r\nSkinIndex=8\r\n", 0, "Windows"},
        RememberedCase{"0x3", "[Setup]\r\nSkinIndex=0x3\r\n", 3, "Slate Classico"},
        RememberedCase{"dollar 7", "[Setup]\r\nSkinIndex=$7\r\n", 7, "Smokey Quartz Kamri"},
        RememberedCase{"abc", "[Setup]\r\nSkinIndex=abc\r\n", 0, "Windows"}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

TEST(StartupSkin, TheStartupStyleIsKnown) {
    ScriptedStyleNotFoundDialog notFound;
    ASSERT_TRUE(applyStyle(QStringLiteral("Windows")));
    applyStartupSkin(kStartupSkin, notFound);
    EXPECT_TRUE(notFound.texts.isEmpty());
    EXPECT_EQ(currentStyleName(), QStringLiteral("Smokey Quartz Kamri"));
}

TEST(StartupSkin, AnUnknownStyleIsReportedAndStartUpGoesOn) {
    ScriptedStyleNotFoundDialog notFound;
    ASSERT_TRUE(applyStyle(QStringLiteral("Iceberg Classico")));
    applyStartupSkin(QStringLiteral("Smokey Quartz"), notFound);
    EXPECT_EQ(notFound.texts, QStringList{QStringLiteral("Style 'Smokey Quartz' not found")});
    EXPECT_EQ(currentStyleName(), QStringLiteral("Iceberg Classico"));
}

} // namespace
