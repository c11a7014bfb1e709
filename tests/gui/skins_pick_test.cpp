// Picking a skin: applied at once, remembered at once, kept while the list is hidden.
#include "tests/support/form_fixture.h"
#include "ui/skins/engine/style_engine.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

namespace {

class SkinPick : public FormTest {};

TEST_F(SkinPick, ThePickIsWrittenAtOnceAndTheNextStartShowsIt) {
    createForm();
    click("Button23");
    pick("ComboBox1", 5);
    EXPECT_EQ(currentStyleName(), QStringLiteral("Lavender Classico"));
    EXPECT_TRUE(readIni().contains("SkinIndex=5")) << readIni().toStdString();

    createForm();
    EXPECT_EQ(selectedIndex("ComboBox1"), 5);
    EXPECT_EQ(currentStyleName(), QStringLiteral("Lavender Classico"));
}

TEST_F(SkinPick, ShowingAndHidingTheListKeepsTheStyle) {
    createForm();
    EXPECT_FALSE(widget("ComboBox1")->isVisible());
    click("Button23");
    EXPECT_TRUE(widget("ComboBox1")->isVisible());
    pick("ComboBox1", 4);
    click("Button24");
    EXPECT_FALSE(widget("ComboBox1")->isVisible());
    EXPECT_EQ(currentStyleName(), QStringLiteral("Sapphire Kamri"));
    click("Button23");
    EXPECT_TRUE(widget("ComboBox1")->isVisible());
    EXPECT_EQ(selectedIndex("ComboBox1"), 4);
    EXPECT_EQ(currentStyleName(), QStringLiteral("Sapphire Kamri"));
}

TEST_F(SkinPick, EveryStyleKeepsTheWindowsFontsAndTheBlackStatisticsCaption) {
    createForm();
    click("Button23");
    for (int position = 0; position < int(skinNames().size()); ++position) {
        SCOPED_TRACE(skinNames()[position].toStdString());
        pick("ComboBox1", position);
        EXPECT_EQ(currentStyleName(), skinNames()[position]);
        EXPECT_TRUE(readIni().contains("SkinIndex=" + QByteArray::number(position)));
        for (const char* name : {"Label1", "Edit1", "Button1", "ComboBox1", "GroupBox4"})
            EXPECT_EQ(widget(name)->font().pixelSize(), 11) << name;
        auto* statistics = control<QPushButton>("Button25");
        EXPECT_EQ(statistics->font().pixelSize(), 32);
        EXPECT_EQ(statistics->palette().color(QPalette::ButtonText), QColor(Qt::black));
        EXPECT_EQ(widget("Label1")->palette().color(QPalette::WindowText),
                  QApplication::palette().color(QPalette::WindowText));
    }
}

TEST_F(SkinPick, AFailedWriteIsShownAndTheNewStyleStays) {
    // The tests run as root, whom a read-only directory does not stop; a directory standing
    // where Setup.ini belongs cannot be written as a file by anyone.
    ASSERT_TRUE(QDir(programDir()).mkdir(QStringLiteral("Setup.ini")));
    createForm();
    EXPECT_EQ(currentStyleName(), QStringLiteral("Windows"));
    boxes.expect(BoxKind::Error, QStringLiteral("Scoresetup"),
                 QStringLiteral("Unable to write to %1.").arg(QDir::toNativeSeparators(iniPath())));
    click("Button23");
    pick("ComboBox1", 6);
    boxes.verifyAllShown();
    EXPECT_EQ(currentStyleName(), QStringLiteral("Emerald Light Slate"));
    EXPECT_EQ(selectedIndex("ComboBox1"), 6);
    EXPECT_TRUE(QFileInfo(iniPath()).isDir());
}

} // namespace
