// A login that may only read: the list loads, every change shows its handler's own message
// and the server's rows stay as they were.
#include "tests/dbgui/positions_fixture.h"

using namespace position_text;

namespace {

struct Change {
    const char* what;
    void (*attempt)(PositionPanelTest&);
};

void PrintTo(const Change& change, std::ostream* out) {
    *out << change.what;
}

class PositionReadOnlyLogin : public PositionPanelTest,
                              public ::testing::WithParamInterface<Change> {
protected:
    tdslite::testing::ServerOptions serverOptions() const override {
        return {{"--login", "reader:pw:reader"}, {}};
    }
};

const Change kChanges[] = {
    {"add",
     [](PositionPanelTest& t) {
         t.startAdd(QStringLiteral("004"), QStringLiteral("保安"));
         t.boxes.expect(BoxKind::Error, kError, addFailed(QStringLiteral("保安")));
         t.click("Button12");
         EXPECT_TRUE(t.enabled("Button12"));
         EXPECT_EQ(t.text("Edit4"), QStringLiteral("004"));
     }},
    {"rename",
     [](PositionPanelTest& t) {
         t.startRename(1);
         t.type("Edit5", QStringLiteral("网络管理员"));
         t.boxes.expect(BoxKind::Error, kError, kRenameFailed);
         t.click("Button13");
         EXPECT_TRUE(t.enabled("Button13"));
         EXPECT_EQ(t.text("Edit5"), QStringLiteral("网络管理员"));
     }},
    {"delete",
     [](PositionPanelTest& t) {
         t.pickPosition(1);
         t.boxes.expect(BoxKind::Question, kQuestion,
                        deleteQuestion(QStringLiteral("002"), QStringLiteral("网管")), Answer::Yes);
         t.boxes.expect(BoxKind::Error, kError, kDeleteFailed);
         t.click("Button10");
     }},
};

} // namespace

TEST_P(PositionReadOnlyLogin, ChangeShowsItsOwnFailureMessage) {
    openPanel(QStringLiteral("reader"), QStringLiteral("pw"));
    ASSERT_EQ(rows("ListView1"), kSeedRows);

    GetParam().attempt(*this);
    boxes.verifyAllShown();

    EXPECT_EQ(positions(), kSeedRows);
}

INSTANTIATE_TEST_SUITE_P(Changes, PositionReadOnlyLogin, ::testing::ValuesIn(kChanges));
