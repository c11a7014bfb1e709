// Deleting positions, with or without the staff and score rows that carry the number.
#include "tests/dbgui/positions_fixture.h"

using namespace position_text;

namespace {

// Staff 101 and 102 hold positions 001 and 002, each with a score.
class PositionDelete : public PositionPanelTest {
protected:
    void openPanelWithStaff() {
        openPanel();
        addStaff(QStringLiteral("101"), QStringLiteral("001"));
        addStaff(QStringLiteral("102"), QStringLiteral("002"));
        addScore(QStringLiteral("101"), QStringLiteral("001"));
        addScore(QStringLiteral("102"), QStringLiteral("002"));
    }
    void expectDeleteQuestion(Answer answer) {
        boxes.expect(BoxKind::Question, kQuestion,
                     deleteQuestion(QStringLiteral("002"), QStringLiteral("网管")), answer);
    }
};

struct DependentsCase {
    Answer answer;
    QStringList staffLeft;
};

class PositionDeleteDependents : public PositionDelete,
                                 public ::testing::WithParamInterface<DependentsCase> {};

// The row picked no longer names a stored position.
struct Unmatched {
    const char* why;
    void (*change)(PositionPanelTest&);
    QList<QStringList> positionsLeft;
};

void PrintTo(const Unmatched& row, std::ostream* out) {
    *out << row.why;
}

class PositionDeleteUnmatched : public PositionDelete,
                                public ::testing::WithParamInterface<Unmatched> {};

} // namespace

TEST_F(PositionDelete, WithoutAPickedPositionAsksForOneAndStillReloads) {
    openPanel();
    click("Button9");
    pickPosition(0);
    click("Button14");
    ASSERT_TRUE(enabled("Button10"));
    exec(QStringLiteral("insert into Jobs values(N'004',N'保安')"));

    boxes.expect(BoxKind::Error, kError, kDeleteUnpicked);
    expectNoStaffWarning();
    click("Button10");

    EXPECT_EQ(rows("ListView1").size(), 4);
}

TEST_F(PositionDelete, AnsweringNoDeletesNothingKeepsTheFieldsAndReloads) {
    openPanelWithStaff();
    pickPosition(1);
    exec(QStringLiteral("insert into Jobs values(N'004',N'保安')"));

    expectDeleteQuestion(Answer::No);
    click("Button10");

    EXPECT_EQ(positions().size(), 4);
    EXPECT_EQ(rows("ListView1").size(), 4);
    EXPECT_EQ(text("Edit4"), QStringLiteral("002"));
    EXPECT_EQ(text("Edit5"), QStringLiteral("网管"));
}

TEST_P(PositionDeleteDependents, DeletesThePositionAndItsStaffAndScoresOnlyOnTheSecondYes) {
    openPanelWithStaff();
    pickPosition(1);

    expectDeleteQuestion(Answer::Yes);
    boxes.expect(BoxKind::Question, kQuestion,
                 dependentsQuestion(QStringLiteral("002"), QStringLiteral("网管")),
                 GetParam().answer);
    if (GetParam().answer == Answer::Yes)
        boxes.expect(BoxKind::Information, kPrompt, kDependentsDeleted);
    click("Button10");
    boxes.verifyAllShown();

    const QList<QStringList> left{kSeedRows[0], kSeedRows[2]};
    EXPECT_EQ(positions(), left);
    EXPECT_EQ(rows("ListView1"), left);
    EXPECT_EQ(staffNumbers(), GetParam().staffLeft);
    EXPECT_EQ(scoredStaffNumbers(), GetParam().staffLeft);
    EXPECT_EQ(text("Edit4"), QString());
    EXPECT_EQ(text("Edit5"), QString());
}

INSTANTIATE_TEST_SUITE_P(
    SecondAnswer, PositionDeleteDependents,
    ::testing::Values(DependentsCase{Answer::No, {QStringLiteral("101"), QStringLiteral("102")}},
                      DependentsCase{Answer::Yes, {QStringLiteral("101")}}),
    [](const auto& info) { return info.param.answer == Answer::Yes ? "Yes" : "No"; });

TEST_P(PositionDeleteUnmatched, SaysNothingWasDeletedAndOffersNoDeletionOfStaff) {
    openPanelWithStaff();
    click("Button9");
    pickPosition(1);
    GetParam().change(*this);
    const QString jobName = text("Edit5");

    boxes.expect(BoxKind::Question, kQuestion, deleteQuestion(QStringLiteral("002"), jobName),
                 Answer::Yes);
    boxes.expect(BoxKind::Warning, kPrompt, nothingDeleted(QStringLiteral("002"), jobName));
    click("Button10");
    boxes.verifyAllShown();

    EXPECT_EQ(positions(), GetParam().positionsLeft);
    EXPECT_EQ(staffNumbers(), (QStringList{QStringLiteral("101"), QStringLiteral("102")}));
    EXPECT_EQ(scoredStaffNumbers(), (QStringList{QStringLiteral("101"), QStringLiteral("102")}));
    EXPECT_EQ(text("Edit4"), QString());
    EXPECT_EQ(text("Edit5"), QString());
    EXPECT_EQ(rows("ListView1"), GetParam().positionsLeft);
}

INSTANTIATE_TEST_SUITE_P(
    NoMatch, PositionDeleteUnmatched,
    ::testing::Values(
        Unmatched{"the name was edited after picking",
                  [](PositionPanelTest& t) { t.type("Edit5", QStringLiteral("网管员")); },
                  PositionPanelTest::kSeedRows},
        Unmatched{"the position was deleted meanwhile",
                  [](PositionPanelTest& t) {
                      t.exec(QStringLiteral("delete from Jobs where sJobNum=N'002'"));
                  },
                  {PositionPanelTest::kSeedRows[0], PositionPanelTest::kSeedRows[2]}}));
