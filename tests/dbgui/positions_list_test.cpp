// Opening the panel, reloading the list and the staff panel's position list, and which rows
// the list reports as picked or let go.
#include "tests/dbgui/positions_fixture.h"
#include "ui/widgets/report_list_view.h"

#include <QComboBox>

using namespace position_text;

namespace {

class PositionList : public PositionPanelTest {
protected:
    // Each notice of the list as the row's number and + (selected) or - (unselected).
    QStringList notices;
    void recordNotices() {
        auto* list = form().findChild<ReportListView*>(QStringLiteral("ListView1"));
        ASSERT_TRUE(list);
        QObject::connect(list, &ReportListView::selectItem, list,
                         [this](QTreeWidgetItem* row, bool selected) {
                             notices << row->text(0) + (selected ? u'+' : u'-');
                         });
    }
    QStringList jobNames() {
        QStringList names;
        for (const QStringList& row : kSeedRows)
            names << row[1];
        return names;
    }
};

} // namespace

TEST_F(PositionList, OpeningListsThePositionsInBothPanelsAndLocksTheDatabaseButtons) {
    openPanel();

    EXPECT_TRUE(enabled("GroupBox2"));
    EXPECT_EQ(rows("ListView1"), kSeedRows);
    EXPECT_EQ(items("ComboBox3"), jobNames());
    EXPECT_EQ(selectedIndex("ComboBox3"), -1);
    EXPECT_FALSE(listHasSelection());
    for (const char* button : {"Button3", "Button4", "Button5"})
        EXPECT_FALSE(enabled(button)) << button;
    EXPECT_TRUE(enabled("Button6"));
}

TEST_F(PositionList, AnEmptyJobsTableEmptiesBothListsAndWarns) {
    openPanel();
    control<QComboBox>("ComboBox3")->setCurrentIndex(1);
    exec(QStringLiteral("delete from Jobs"));

    boxes.expect(BoxKind::Warning, kPrompt, kNoPositions);
    click("Button8");

    EXPECT_TRUE(rows("ListView1").isEmpty());
    EXPECT_TRUE(items("ComboBox3").isEmpty());
    EXPECT_EQ(selectedIndex("ComboBox3"), -1);
}

TEST_F(PositionList, RefreshShowsTheServersRowsAndKeepsThePickedPositionInTheFields) {
    openPanel();
    pickPosition(1);
    control<QComboBox>("ComboBox3")->setCurrentIndex(1);
    exec(QStringLiteral("insert into Jobs values(N'004',N'保安')"));

    click("Button8");

    QList<QStringList> expected = kSeedRows;
    expected << QStringList{QStringLiteral("004"), QStringLiteral("保安")};
    EXPECT_EQ(rows("ListView1"), expected);
    EXPECT_EQ(items("ComboBox3").last(), QStringLiteral("保安"));
    EXPECT_EQ(selectedIndex("ComboBox3"), -1) << "a staff member being edited keeps no position";
    EXPECT_FALSE(listHasSelection());
    EXPECT_EQ(text("Edit4"), QStringLiteral("002"));
    EXPECT_EQ(text("Edit5"), QStringLiteral("网管"));
    EXPECT_TRUE(enabled("Button10"));
    EXPECT_TRUE(enabled("Button11"));
}

TEST_F(PositionList, PickingReportsTheRowLetGoBeforeTheRowPicked) {
    openPanel();
    recordNotices();

    pickPosition(0);
    pickPosition(2);

    EXPECT_EQ(notices, (QStringList{"001+", "001-", "003+"}));
    EXPECT_EQ(text("Edit4"), QStringLiteral("003"));
    EXPECT_EQ(text("Edit5"), QStringLiteral("技术员"));
}

TEST_F(PositionList, PickingTheSelectedRowAgainReportsNothing) {
    openPanel();
    recordNotices();
    pickPosition(1);
    click("Button9");

    pickPosition(1);

    EXPECT_EQ(notices, QStringList{"002+"});
    EXPECT_EQ(text("Edit4"), QString()) << "the add emptied the fields and nothing refilled them";
    EXPECT_EQ(text("Edit5"), QString());
}

TEST_F(PositionList, ClickingEmptySpaceDuringAnAddLetsTheRowGoAndRefillsTheFields) {
    openPanel();
    recordNotices();
    pickPosition(1);
    click("Button9");
    ASSERT_EQ(text("Edit4"), QString());

    clickEmptySpace("ListView1");

    EXPECT_EQ(notices, (QStringList{"002+", "002-"}));
    EXPECT_FALSE(listHasSelection());
    EXPECT_EQ(text("Edit4"), QStringLiteral("002"));
    EXPECT_EQ(text("Edit5"), QStringLiteral("网管"));
    EXPECT_TRUE(enabled("Button10"));
    EXPECT_TRUE(enabled("Button11"));
    EXPECT_TRUE(enabled("Edit4")) << "the add goes on";

    clickEmptySpace("ListView1");
    EXPECT_EQ(notices.size(), 2) << "nothing was selected any more";
}

TEST_F(PositionList, AReloadReportsNoRowAndTheOldRowCanBePickedAgain) {
    openPanel();
    recordNotices();
    pickPosition(0);

    click("Button8");
    EXPECT_EQ(notices, QStringList{"001+"});

    pickPosition(0);
    EXPECT_EQ(notices, (QStringList{"001+", "001+"}));
}

// Before initialisation the reload fails; the failure's own text is shown, and the panel is
// open all the same, so the database buttons stay locked.
class PositionListBeforeInitialisation : public PositionPanelTest,
                                         public ::testing::WithParamInterface<bool> {};

TEST_P(PositionListBeforeInitialisation, OpeningShowsTheFailureAndKeepsTheDatabaseButtonsLocked) {
    const bool databaseExists = GetParam();
    if (databaseExists)
        createScoreDatabase(false);
    createConnectedForm();

    boxes.expect(BoxKind::Information, kPrompt, kOpened);
    boxes.expectAnyText(BoxKind::Error, QStringLiteral("Scoresetup"));
    click("Button6");
    boxes.verifyAllShown();

    EXPECT_TRUE(enabled("GroupBox2"));
    EXPECT_TRUE(rows("ListView1").isEmpty());
    for (const char* button : {"Button3", "Button4", "Button5"})
        EXPECT_FALSE(enabled(button)) << button;

    boxes.expectAnyText(BoxKind::Error, QStringLiteral("Scoresetup"));
    click("Button8");
    for (const char* button : {"Button3", "Button4", "Button5"})
        EXPECT_FALSE(enabled(button)) << button;
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutDatabase, PositionListBeforeInitialisation,
                         ::testing::Values(false, true), [](const auto& info) {
                             return info.param ? "DatabaseWithoutTables" : "NoDatabase";
                         });
