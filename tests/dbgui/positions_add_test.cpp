// Adding positions: incomplete fields, refusals by the server, and names that must arrive
// as typed.
#include "tests/dbgui/positions_fixture.h"

using namespace position_text;

namespace {

struct Fields {
    const char* jobNum;
    const char* jobName;
};

class PositionAddIncomplete : public PositionPanelTest,
                              public ::testing::WithParamInterface<Fields> {};

// A refused add: the number is taken, or the name is longer than the column.
struct Refusal {
    const char* why;
    const char* jobNum;
    QString jobName;
};

void PrintTo(const Refusal& refusal, std::ostream* out) {
    *out << refusal.why;
}

class PositionAddRefused : public PositionPanelTest,
                           public ::testing::WithParamInterface<Refusal> {};

} // namespace

TEST_P(PositionAddIncomplete, SendsNothingAndStaysInTheAdd) {
    openPanel();
    startAdd(QString::fromUtf8(GetParam().jobNum), QString::fromUtf8(GetParam().jobName));
    const PanelState before = panelState();

    boxes.expect(BoxKind::Error, kError, kAddIncomplete);
    click("Button12");

    EXPECT_EQ(panelState(), before);
    EXPECT_EQ(positions(), kSeedRows);
}

INSTANTIATE_TEST_SUITE_P(EmptyFields, PositionAddIncomplete,
                         ::testing::Values(Fields{"", ""}, Fields{"004", ""}, Fields{"", "保安"}));

TEST_P(PositionAddRefused, NamesThePositionAndKeepsTheFieldsOpen) {
    openPanel();
    startAdd(QString::fromUtf8(GetParam().jobNum), GetParam().jobName);
    const PanelState before = panelState();

    boxes.expect(BoxKind::Error, kError, addFailed(GetParam().jobName));
    click("Button12");

    EXPECT_EQ(panelState(), before);
    EXPECT_TRUE(enabled("Edit4"));
    EXPECT_TRUE(enabled("Button12"));
    EXPECT_EQ(positions(), kSeedRows);
    EXPECT_EQ(rows("ListView1"), kSeedRows);
}

INSTANTIATE_TEST_SUITE_P(
    ServerRefuses, PositionAddRefused,
    ::testing::Values(Refusal{"a number already taken", "001", QStringLiteral("新职务")},
                      Refusal{"a name of 51 characters", "004", QString(51, u'职')}));

TEST_F(PositionPanelTest, AddedPositionAppearsInBothListsAndAFiftyCharacterNameFits) {
    openPanel();
    const QString longName(50, u'职');
    startAdd(QStringLiteral("004"), longName);

    boxes.expect(BoxKind::Information, kPrompt, added(longName));
    expectNoStaffWarning();
    click("Button12");
    boxes.verifyAllShown();

    QList<QStringList> expected = kSeedRows;
    expected << QStringList{QStringLiteral("004"), longName};
    EXPECT_EQ(positions(), expected);
    EXPECT_EQ(rows("ListView1"), expected);
    EXPECT_EQ(items("ComboBox3").last(), longName);
    EXPECT_EQ(selectedIndex("ComboBox3"), -1);
}

TEST_F(PositionPanelTest, AddingANameAnotherPositionHasIsAccepted) {
    openPanel();
    startAdd(QStringLiteral("004"), QStringLiteral("网管"));

    boxes.expect(BoxKind::Information, kPrompt, added(QStringLiteral("网管")));
    expectNoStaffWarning();
    click("Button12");

    EXPECT_EQ(items("ComboBox3").count(QStringLiteral("网管")), 2);
}
