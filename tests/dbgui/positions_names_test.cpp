// Numbers and names that a plain quoted literal would spoil: quotes, a colon or question
// mark, SQL of their own, characters outside the database's code page, spaces only. Each is
// added, given to another position as its new name, and deleted by its own name again.
#include "tests/dbgui/positions_fixture.h"

using namespace position_text;

namespace {

struct Awkward {
    const char* what;
    QString jobNum;
    QString jobName;
};

void PrintTo(const Awkward& value, std::ostream* out) {
    *out << value.what;
}

class PositionNames : public PositionPanelTest, public ::testing::WithParamInterface<Awkward> {
protected:
    int rowOf(const QString& jobNum) {
        const QList<QStringList> shown = rows("ListView1");
        for (int row = 0; row < shown.size(); ++row)
            if (shown[row].value(0) == jobNum)
                return row;
        ADD_FAILURE() << "no row " << jobNum.toStdString();
        return 0;
    }
};

const Awkward kAwkward[] = {
    {"single quotes", QStringLiteral("'1'"), QStringLiteral("O'Brien's 岗位")},
    {"double quotes", QStringLiteral("\"2\""), QStringLiteral("\"主管\"")},
    {"a colon and a question mark", QStringLiteral("a:b"), QStringLiteral("收银:员?")},
    {"a statement of its own", QStringLiteral("9"), QStringLiteral("x'); delete from Jobs --")},
    {"outside the Chinese code page", QStringLiteral("한"), QStringLiteral("한국어 Ελλάδα 𠀀")},
    {"spaces only", QStringLiteral(" "), QStringLiteral("  ")},
};

} // namespace

TEST_P(PositionNames, ArriveAsTypedWhenAddedRenamedAndDeleted) {
    const QString jobNum = GetParam().jobNum;
    const QString jobName = GetParam().jobName;
    openPanel();

    startAdd(jobNum, jobName);
    boxes.expect(BoxKind::Information, kPrompt, added(jobName));
    expectNoStaffWarning();
    click("Button12");
    boxes.verifyAllShown();
    EXPECT_TRUE(positions().contains(QStringList{jobNum, jobName}));
    EXPECT_TRUE(rows("ListView1").contains(QStringList{jobNum, jobName}));
    EXPECT_TRUE(items("ComboBox3").contains(jobName));

    startRename(1);
    type("Edit5", jobName);
    boxes.expect(BoxKind::Information, kPrompt, kRenamed);
    expectNoStaffWarning();
    click("Button13");
    boxes.verifyAllShown();
    EXPECT_TRUE(positions().contains(QStringList{QStringLiteral("002"), jobName}));

    pickPosition(rowOf(jobNum));
    boxes.expect(BoxKind::Question, kQuestion, deleteQuestion(jobNum, jobName), Answer::Yes);
    boxes.expect(BoxKind::Question, kQuestion, dependentsQuestion(jobNum, jobName), Answer::No);
    expectNoStaffWarning();
    click("Button10");
    boxes.verifyAllShown();
    EXPECT_EQ(positions(),
              (QList<QStringList>{kSeedRows[0], {QStringLiteral("002"), jobName}, kSeedRows[2]}));
}

INSTANTIATE_TEST_SUITE_P(Awkward, PositionNames, ::testing::ValuesIn(kAwkward));
