// Every event of the panel against what it does to the fields and buttons; a blank in the
// table means the control keeps what it had, so each case starts where that shows.
#include "tests/dbgui/positions_fixture.h"

#include <optional>

using namespace position_text;

namespace {

using Step = void (*)(PositionPanelTest&);

struct StateCase {
    const char* event;
    Step prepare;
    Step act;
    std::optional<QString> edit4; // nothing: kept
    std::optional<QString> edit5;
    // Edit4, Edit5, Button9 … Button14: E enabled, D disabled, - kept.
    const char* enabling;
};

void PrintTo(const StateCase& row, std::ostream* out) {
    *out << row.event;
}

PanelState expectedAfter(const PanelState& before, const StateCase& row) {
    PanelState after = before;
    if (row.edit4)
        after.edit4 = *row.edit4;
    if (row.edit5)
        after.edit5 = *row.edit5;
    bool* flags[8] = {&after.edit4Enabled, &after.edit5Enabled};
    for (int i = 0; i < 6; ++i)
        flags[i + 2] = &after.buttons[i];
    for (int i = 0; i < 8; ++i)
        if (row.enabling[i] != '-')
            *flags[i] = row.enabling[i] == 'E';
    return after;
}

void connectOnly(PositionPanelTest& t) {
    t.createScoreDatabase();
    t.createConnectedForm();
}

void openPanel(PositionPanelTest& t) {
    t.boxes.expect(BoxKind::Information, kPrompt, kOpened);
    t.click("Button6");
}

const StateCase kCases[] = {
    {"start-up, then the panel opened", connectOnly, openPanel, QString(), QString(), "DDEDDDDD"},
    {"a row becomes selected during an add",
     [](PositionPanelTest& t) {
         t.openPanel();
         t.startAdd(QStringLiteral("9"), QStringLiteral("x"));
     },
     [](PositionPanelTest& t) { t.pickPosition(1); }, QStringLiteral("002"), QStringLiteral("网管"),
     "---EE---"},
    {"the selected row becomes unselected during an add",
     [](PositionPanelTest& t) {
         t.openPanel();
         t.pickPosition(0);
         t.click("Button9");
     },
     [](PositionPanelTest& t) { t.clickEmptySpace("ListView1"); }, QStringLiteral("001"),
     QStringLiteral("收银员"), "---EE---"},
    {"add",
     [](PositionPanelTest& t) {
         t.openPanel();
         t.pickPosition(0);
     },
     [](PositionPanelTest& t) { t.click("Button9"); }, QString(), QString(), "EEDDDEDE"},
    {"rename with the fields filled",
     [](PositionPanelTest& t) {
         t.openPanel();
         t.pickPosition(0);
     },
     [](PositionPanelTest& t) {
         t.boxes.expect(BoxKind::Warning, kRenameTitle, kRenameOnlyName);
         t.click("Button11");
     },
     std::nullopt, std::nullopt, "-EDDD-EE"},
    {"save new, success",
     [](PositionPanelTest& t) {
         t.openPanel();
         t.click("Button9");
         t.pickPosition(1);
         t.type("Edit4", QStringLiteral("004"));
         t.type("Edit5", QStringLiteral("保安"));
     },
     [](PositionPanelTest& t) {
         t.boxes.expect(BoxKind::Information, kPrompt, added(QStringLiteral("保安")));
         t.expectNoStaffWarning();
         t.click("Button12");
     },
     QString(), QString(), "DDE-ED-D"},
    {"save rename, success",
     [](PositionPanelTest& t) {
         t.openPanel();
         t.startRename(1);
         t.type("Edit5", QStringLiteral("网络管理"));
     },
     [](PositionPanelTest& t) {
         t.boxes.expect(BoxKind::Information, kPrompt, kRenamed);
         t.expectNoStaffWarning();
         t.click("Button13");
     },
     QString(), QString(), "DDE-E-DD"},
    {"cancel",
     [](PositionPanelTest& t) {
         t.openPanel();
         t.click("Button9");
         t.pickPosition(0);
     },
     [](PositionPanelTest& t) { t.click("Button14"); }, QString(), QString(), "DDE-EDDD"},
    {"delete, first question answered Yes",
     [](PositionPanelTest& t) {
         t.openPanel();
         t.pickPosition(2);
     },
     [](PositionPanelTest& t) {
         t.boxes.expect(BoxKind::Question, kQuestion,
                        deleteQuestion(QStringLiteral("003"), QStringLiteral("技术员")),
                        Answer::Yes);
         t.boxes.expect(BoxKind::Question, kQuestion,
                        dependentsQuestion(QStringLiteral("003"), QStringLiteral("技术员")),
                        Answer::No);
         t.expectNoStaffWarning();
         t.click("Button10");
     },
     QString(), QString(), "--------"},
};

class PositionPanelStates : public PositionPanelTest,
                            public ::testing::WithParamInterface<StateCase> {};

} // namespace

TEST_P(PositionPanelStates, EventChangesTheFieldsAndButtonsAsTheTableSays) {
    const StateCase& row = GetParam();
    row.prepare(*this);
    boxes.verifyAllShown();
    const PanelState before = panelState();

    row.act(*this);
    boxes.verifyAllShown();

    EXPECT_EQ(panelState(), expectedAfter(before, row));
    EXPECT_TRUE(enabled("Button8"));
    EXPECT_TRUE(enabled("ListView1"));
}

INSTANTIATE_TEST_SUITE_P(Events, PositionPanelStates, ::testing::ValuesIn(kCases));
