// Renaming positions: only the name is sent, and a rename that changes nothing says so.
#include "tests/dbgui/positions_fixture.h"

using namespace position_text;

TEST_F(PositionPanelTest, RenameWithoutAPickedPositionAsksForOne) {
    openPanel();
    pickPosition(0);
    click("Button9");
    click("Button14");
    ASSERT_TRUE(enabled("Button11"));
    const PanelState before = panelState();

    boxes.expect(BoxKind::Error, kError, kRenameUnpicked);
    click("Button11");

    EXPECT_EQ(panelState(), before);
}

TEST_F(PositionPanelTest, SavingAnEmptyNameSendsNothingAndStaysInTheRename) {
    openPanel();
    startRename(1);
    type("Edit5", QString());
    const PanelState before = panelState();

    boxes.expect(BoxKind::Error, kError, kRenameEmpty);
    click("Button13");

    EXPECT_EQ(panelState(), before);
    EXPECT_EQ(positions(), kSeedRows);
}

TEST_F(PositionPanelTest, RenameChangesOnlyTheNameAndLeavesStaffAndScoresOnTheNumber) {
    openPanel();
    addStaff(QStringLiteral("101"), QStringLiteral("002"));
    addScore(QStringLiteral("101"), QStringLiteral("002"));
    startRename(1);
    EXPECT_FALSE(enabled("Edit4"));
    type("Edit5", QStringLiteral("网络管理员"));

    boxes.expect(BoxKind::Information, kPrompt, kRenamed);
    click("Button13");
    boxes.verifyAllShown();

    const QList<QStringList> expected{
        kSeedRows[0], {QStringLiteral("002"), QStringLiteral("网络管理员")}, kSeedRows[2]};
    EXPECT_EQ(positions(), expected);
    EXPECT_EQ(rows("ListView1"), expected);
    EXPECT_EQ(items("ComboBox3")[1], QStringLiteral("网络管理员"));
    EXPECT_EQ(query(QStringLiteral("select sWkJobNum from WkInfo")),
              QList<QStringList>{{QStringLiteral("002")}});
    EXPECT_EQ(query(QStringLiteral("select sWkJobNum from Scores")),
              QList<QStringList>{{QStringLiteral("002")}});
}

TEST_F(PositionPanelTest, ANameOfFiftyOneCharactersIsRefusedAndTheRenameStaysOpen) {
    openPanel();
    startRename(1);
    type("Edit5", QString(51, u'职'));
    const PanelState before = panelState();

    boxes.expect(BoxKind::Error, kError, kRenameFailed);
    click("Button13");

    EXPECT_EQ(panelState(), before);
    EXPECT_EQ(positions(), kSeedRows);
}

TEST_F(PositionPanelTest, RenamingAPositionThatIsGoneSaysSoAndStaysInTheRename) {
    openPanel();
    startRename(1);
    type("Edit5", QStringLiteral("网络管理员"));
    exec(QStringLiteral("delete from Jobs where sJobNum=N'002'"));
    const PanelState before = panelState();

    boxes.expect(BoxKind::Warning, kPrompt, renameNotFound(QStringLiteral("002")));
    click("Button13");

    EXPECT_EQ(panelState(), before);
    EXPECT_EQ(positions(), (QList<QStringList>{kSeedRows[0], kSeedRows[2]}));
}

TEST_F(PositionPanelTest, ARenameBegunDuringAnAddLocksTheNumberAndTheAddSave) {
    openPanel();
    startAdd(QStringLiteral("009"), QStringLiteral("保安"));
    pickPosition(1);
    boxes.expect(BoxKind::Warning, kRenameTitle, kRenameOnlyName);
    click("Button11");

    EXPECT_FALSE(enabled("Edit4"));
    EXPECT_FALSE(enabled("Button12"));
    EXPECT_TRUE(enabled("Edit5"));
    EXPECT_TRUE(enabled("Button13"));
    EXPECT_EQ(text("Edit4"), QStringLiteral("002"));
}
