// Adding, modifying and deleting staff, checked on the server's side.
#include "tests/dbgui/staff_fixture.h"

#include "ui/widgets/picture_box.h"

#include <QComboBox>
#include <functional>

using namespace staff_texts;

namespace {

const QString kModifyHintTitle = QStringLiteral("提示信息");

} // namespace

TEST_F(StaffPanelTest, ADuplicateStaffNumberIsRefusedAndThePanelStaysAdding) {
    createScoreDatabase();
    storeStaff(QStringLiteral("001"), QStringLiteral("张三"), QStringLiteral("0"),
               QStringLiteral("001"));
    openStaffPanel();
    click("Button16");
    type("Edit6", QStringLiteral("001"));
    type("Edit7", QStringLiteral("冒名"));
    pick("ComboBox2", 1);
    pick("ComboBox3", 2);
    boxes.expect(BoxKind::Error, kErrorTitle, kAddFailed);
    click("Button19");

    EXPECT_EQ(storedStaff(), (QList<QStringList>{{"001", "张三", "0", "001"}}));
    EXPECT_TRUE(enabled("Button19") && enabled("Edit6"));
    EXPECT_EQ(text("Edit7"), QStringLiteral("冒名"));
}

TEST_F(StaffPanelTest, NamesWithQuotesAndChineseArriveAsTyped) {
    const QString names[] = {
        QStringLiteral("O'Brien"),
        QStringLiteral("张'三\"四"),
        QStringLiteral("');delete from wkinfo--"),
        QStringLiteral("  空格 ''  "),
    };
    createScoreDatabase();
    exec(QStringLiteral("insert into jobs values(N'004',N'店长''s 助理')"));
    openStaffPanel(false);
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        addStaff(QStringLiteral("1'"), name, 0, 3);
        EXPECT_EQ(storedStaff(), (QList<QStringList>{{"1'", name, "0", "004"}}));
        EXPECT_EQ(rows("ListView2"), (QList<QStringList>{{"1'", name, "男", "店长's 助理", "无"}}));

        pickRow("ListView2", 0);
        boxes.expect(BoxKind::Warning, kModifyHintTitle, kModifyHint);
        click("Button18");
        type("Edit7", name + QStringLiteral("'改"));
        boxes.expect(BoxKind::Information, kNoticeTitle, kModified);
        click("Button20");
        EXPECT_EQ(storedStaff(), (QList<QStringList>{{"1'", name + "'改", "0", "004"}}));

        pickRow("ListView2", 0);
        boxes.expect(BoxKind::Question, kQuestionTitle, deleteQuestion("1'", name + "'改"));
        boxes.expect(BoxKind::Question, kQuestionTitle, kDeleted, Answer::No);
        boxes.expect(BoxKind::Warning, kNoticeTitle, kNoStaff);
        click("Button17");
        boxes.verifyAllShown();
        EXPECT_TRUE(storedStaff().isEmpty());
    }
}

TEST_F(StaffPanelTest, DeleteAsksTwiceAndRemovesScoresOnlyWhenTold) {
    struct Case {
        const char* what;
        Answer first;
        Answer second;
        bool staffRemains;
        bool scoresRemain;
    };
    const Case cases[] = {
        {"No", Answer::No, Answer::No, true, true},
        {"Yes then No", Answer::Yes, Answer::No, false, true},
        {"Yes then Yes", Answer::Yes, Answer::Yes, false, false},
    };
    createScoreDatabase();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        exec(QStringLiteral("delete from wkinfo"));
        exec(QStringLiteral("delete from scores"));
        storeStaff(QStringLiteral("001"), QStringLiteral("张三"), QStringLiteral("0"),
                   QStringLiteral("001"), fixture("red.jpg"));
        storeStaff(QStringLiteral("002"), QStringLiteral("李四"), QStringLiteral("0"),
                   QStringLiteral("001"));
        for (const char* number : {"001", "001", "002"})
            storeScore(QString::fromLatin1(number), QStringLiteral("001"));
        openStaffPanel();
        pickRow("ListView2", rows("ListView2")[0][0] == QStringLiteral("001") ? 0 : 1);

        boxes.expect(BoxKind::Question, kQuestionTitle, deleteQuestion("001", "张三"), c.first);
        if (c.first == Answer::Yes)
            boxes.expect(BoxKind::Question, kQuestionTitle, kDeleted, c.second);
        if (c.second == Answer::Yes)
            boxes.expect(BoxKind::Information, kNoticeTitle, kScoresDeleted);
        click("Button17");
        boxes.verifyAllShown();

        EXPECT_EQ(storedStaff().size(), c.staffRemains ? 2 : 1);
        EXPECT_EQ(scoreCount(QStringLiteral("001")), c.scoresRemain ? 2 : 0);
        EXPECT_EQ(scoreCount(QStringLiteral("002")), 1);
        EXPECT_EQ(rows("ListView2").size(), c.staffRemains ? 2 : 1);
        EXPECT_FALSE(photoBox().hasPicture());
        // The fields and buttons stay as they were.
        EXPECT_EQ(text("Edit6"), QStringLiteral("001"));
        EXPECT_TRUE(enabled("Button17"));
    }
}

TEST_F(StaffPanelTest, DeletingNobodyIsReportedAndTouchesNoScores) {
    struct Case {
        const char* what;
        const char* behindTheBack;
    };
    const Case cases[] = {
        {"renamed meanwhile", "update wkinfo set swkname=N'改名' where swknums=N'001'"},
        {"deleted meanwhile", "delete from wkinfo where swknums=N'001'"},
    };
    createScoreDatabase();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        exec(QStringLiteral("delete from wkinfo"));
        exec(QStringLiteral("delete from scores"));
        storeStaff(QStringLiteral("001"), QStringLiteral("张三"), QStringLiteral("0"),
                   QStringLiteral("001"));
        storeStaff(QStringLiteral("002"), QStringLiteral("李四"), QStringLiteral("0"),
                   QStringLiteral("001"));
        storeScore(QStringLiteral("001"), QStringLiteral("001"));
        openStaffPanel();
        pickRow("ListView2", rows("ListView2")[0][0] == QStringLiteral("001") ? 0 : 1);
        const auto before = storedStaff();
        exec(QString::fromUtf8(c.behindTheBack));
        const auto after = storedStaff();

        boxes.expect(BoxKind::Question, kQuestionTitle, deleteQuestion("001", "张三"));
        boxes.expect(BoxKind::Warning, kNoticeTitle, nothingDeleted("001", "张三"));
        click("Button17");
        boxes.verifyAllShown();
        EXPECT_EQ(storedStaff(), after);
        EXPECT_EQ(scoreCount(QStringLiteral("001")), 1);
        EXPECT_EQ(rows("ListView2").size(), after.size()); // reloaded all the same
    }
}

TEST_F(StaffPanelTest, ModifyingSomebodyDeletedMeanwhileIsReportedAndKeepsEditing) {
    createScoreDatabase();
    storeStaff(QStringLiteral("001"), QStringLiteral("张三"), QStringLiteral("0"),
               QStringLiteral("001"));
    openStaffPanel();
    pickRow("ListView2", 0);
    boxes.expect(BoxKind::Warning, kModifyHintTitle, kModifyHint);
    click("Button18");
    type("Edit7", QStringLiteral("张三丰"));
    exec(QStringLiteral("delete from wkinfo"));

    boxes.expect(BoxKind::Warning, kNoticeTitle, nothingModified("001"));
    click("Button20");
    EXPECT_TRUE(storedStaff().isEmpty());
    EXPECT_TRUE(enabled("Button20") && enabled("Edit7") && enabled("Button22"));
    EXPECT_EQ(text("Edit6"), QStringLiteral("001"));
    EXPECT_EQ(text("Edit7"), QStringLiteral("张三丰"));
}

TEST_F(StaffPanelTest, IncompleteInputIsRefusedAndSendsNothing) {
    struct Case {
        const char* what;
        std::function<void()> prepare;
        const char* button;
        QString shown;
    };
    const auto adding = [&] {
        click("Button16");
        type("Edit6", QStringLiteral("002"));
        type("Edit7", QStringLiteral("李四"));
        pick("ComboBox2", 0);
        pick("ComboBox3", 0);
    };
    const auto modifying = [&] {
        pickRow("ListView2", 0);
        boxes.expect(BoxKind::Warning, kModifyHintTitle, kModifyHint);
        click("Button18");
    };
    const auto unselect = [&](const char* list) { control<QComboBox>(list)->setCurrentIndex(-1); };
    const Case cases[] = {
        {"add without number", [&] { adding(), type("Edit6", {}); }, "Button19", kAddIncomplete},
        {"add without name", [&] { adding(), type("Edit7", {}); }, "Button19", kAddIncomplete},
        {"add without sex", [&] { adding(), unselect("ComboBox2"); }, "Button19", kAddIncomplete},
        {"add without position", [&] { adding(), unselect("ComboBox3"); }, "Button19",
         kAddIncomplete},
        // 添加 right after a pick empties both lists.
        {"add after a pick",
         [&] {
             pickRow("ListView2", 0), click("Button16"), type("Edit6", QStringLiteral("002")),
                 type("Edit7", QStringLiteral("李四"));
         },
         "Button19", kAddIncomplete},
        {"modify without name", [&] { modifying(), type("Edit7", {}); }, "Button20",
         kModifyIncomplete},
        {"modify without sex", [&] { modifying(), unselect("ComboBox2"); }, "Button20",
         kModifyIncomplete},
        // While adding, a pick enables 删除 and leaves the name editable.
        {"delete without name",
         [&] { click("Button16"), pickRow("ListView2", 0), type("Edit7", {}); }, "Button17",
         kPickToDelete},
        {"delete without position",
         [&] { click("Button16"), pickRow("ListView2", 0), unselect("ComboBox3"); }, "Button17",
         kPickToDelete},
    };
    createScoreDatabase();
    storeStaff(QStringLiteral("001"), QStringLiteral("张三"), QStringLiteral("0"),
               QStringLiteral("001"));
    openStaffPanel();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.prepare();
        const QStringList sqlBefore = form().qrySql.SqlLines();
        boxes.expect(BoxKind::Error, kErrorTitle, c.shown);
        click(c.button);
        boxes.verifyAllShown();
        EXPECT_EQ(form().qrySql.SqlLines(), sqlBefore);
        EXPECT_EQ(storedStaff(), (QList<QStringList>{{"001", "张三", "0", "001"}}));
        click("Button22");
        click("Button15"); // no row selected, so the next case's pick is a real one
    }
}

TEST_F(StaffPanelTest, ModifyWithoutAPickedStaffMemberSaysSo) {
    createScoreDatabase();
    storeStaff(QStringLiteral("001"), QStringLiteral("张三"), QStringLiteral("0"),
               QStringLiteral("001"));
    openStaffPanel();
    pickRow("ListView2", 0);
    click("Button16"); // empties the number, leaves 修改 disabled
    click("Button22"); // enables 修改 with the number still empty
    boxes.expect(BoxKind::Error, kErrorTitle, kPickToModify);
    click("Button18");
    EXPECT_FALSE(enabled("Button20"));
}

TEST_F(StaffPanelTest, SavingWithAPositionDeletedMeanwhileStoresNoPositionNumber) {
    createScoreDatabase();
    openStaffPanel(false);
    exec(QStringLiteral("delete from jobs where sjobnum=N'003'"));
    click("Button16");
    type("Edit6", QStringLiteral("001"));
    type("Edit7", QStringLiteral("张三"));
    pick("ComboBox2", 0);
    pick("ComboBox3", 2);
    boxes.expect(BoxKind::Information, kNoticeTitle, kAdded);
    boxes.expect(BoxKind::Warning, kNoticeTitle, kNoStaff); // the reload: nobody to list
    click("Button19");
    EXPECT_EQ(storedStaff(), (QList<QStringList>{{"001", "张三", "0", ""}}));
    EXPECT_TRUE(rows("ListView2").isEmpty());
}
