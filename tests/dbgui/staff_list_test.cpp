// The staff list: what it shows, what picking a row loads, and when the row notice runs.
#include "tests/dbgui/staff_fixture.h"

#include "ui/widgets/picture_box.h"

#include <algorithm>

using namespace staff_texts;

namespace {

QList<QStringList> sorted(QList<QStringList> rows) {
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace

TEST_F(StaffPanelTest, ListJoinsPositionsAndShowsSexAndPhotoWords) {
    createScoreDatabase();
    storeStaff(QStringLiteral("001"), QStringLiteral("王五"), QStringLiteral("0"),
               QStringLiteral("001"));
    storeStaff(QStringLiteral("002"), QStringLiteral("李四"), QStringLiteral("1"),
               QStringLiteral("002"), fixture("red.jpg"));
    storeStaff(QStringLiteral("003"), QStringLiteral("赵六"), QStringLiteral("0"),
               QStringLiteral("999")); // its position is gone: the join hides it
    openStaffPanel();

    EXPECT_EQ(sorted(rows("ListView2")), (QList<QStringList>{
                                             {"001", "王五", "男", "收银员", "无"},
                                             {"002", "李四", "女", "网管", "有"},
                                         }));
    EXPECT_EQ(storedStaff().size(), 3);
}

TEST_F(StaffPanelTest, PickingARowLoadsItsFieldsAndPhoto) {
    struct Case {
        const char* sex;
        const char* position;
        const char* photo; // fixture, or nullptr for none
        int sexIndex;
        int positionIndex;
    };
    const Case cases[] = {
        {"0", "003", "red.jpg", 0, 2},
        {"1", "001", nullptr, 1, 0},
        {"7", "002", "gradient.jpg", 1, 1}, // any number but 0 reads as female
    };
    createScoreDatabase();
    for (int number = 1; const Case& c : cases) {
        storeStaff(QStringLiteral("00%1").arg(number), QStringLiteral("员工%1").arg(number),
                   QString::fromLatin1(c.sex), QString::fromLatin1(c.position),
                   c.photo ? fixture(c.photo) : QByteArray());
        ++number;
    }
    openStaffPanel();

    for (int row = 0; row < int(std::size(cases)); ++row) {
        const QString staffNumber = rows("ListView2")[row][0];
        const Case& c = cases[staffNumber.right(1).toInt() - 1];
        SCOPED_TRACE(staffNumber.toStdString());
        pickRow("ListView2", row);
        EXPECT_EQ(text("Edit6"), staffNumber);
        EXPECT_EQ(text("Edit7"), rows("ListView2")[row][1]);
        EXPECT_EQ(selectedIndex("ComboBox2"), c.sexIndex);
        EXPECT_EQ(selectedIndex("ComboBox3"), c.positionIndex);
        EXPECT_EQ(shownPhoto(), c.photo ? fixture(c.photo) : QByteArray());
        EXPECT_TRUE(enabled("Button17") && enabled("Button18"));
        EXPECT_FALSE(enabled("Edit6") || enabled("Edit7") || enabled("ComboBox2"));
    }
}

TEST_F(StaffPanelTest, SexIsStoredAsTheItemIndexAndReadBackBothWays) {
    createScoreDatabase();
    openStaffPanel(false);
    for (int sex : {0, 1}) {
        SCOPED_TRACE(sex);
        const QString number = QStringLiteral("10%1").arg(sex);
        addStaff(number, QStringLiteral("性别%1").arg(sex), sex, 0);
        EXPECT_EQ(query(QStringLiteral("select swksex from wkinfo where swknums='") + number +
                        QStringLiteral("'")),
                  QList<QStringList>{{QString::number(sex)}});
        const auto listed = rows("ListView2");
        const auto row = std::find_if(listed.begin(), listed.end(),
                                      [&](const QStringList& cells) { return cells[0] == number; });
        ASSERT_NE(row, listed.end());
        EXPECT_EQ((*row)[2], sex ? QStringLiteral("女") : QStringLiteral("男"));
        click("Button16"); // empties both lists, so the pick below must fill them
        pickRow("ListView2", int(row - listed.begin()));
        EXPECT_EQ(selectedIndex("ComboBox2"), sex);
    }
}

TEST_F(StaffPanelTest, APositionNameListedTwiceSelectsTheFirstOfThem) {
    createScoreDatabase();
    exec(QStringLiteral("insert into jobs values(N'004',N'网管')"));
    storeStaff(QStringLiteral("001"), QStringLiteral("张三"), QStringLiteral("0"),
               QStringLiteral("004"));
    openStaffPanel();
    EXPECT_EQ(items("ComboBox3"), (QStringList{"收银员", "网管", "技术员", "网管"}));
    pickRow("ListView2", 0);
    EXPECT_EQ(selectedIndex("ComboBox3"), 1);
}

TEST_F(StaffPanelTest, AListWithNobodyInItClearsThePhotoAndSaysSo) {
    createScoreDatabase();
    storeStaff(QStringLiteral("001"), QStringLiteral("张三"), QStringLiteral("0"),
               QStringLiteral("001"), fixture("red.jpg"));
    openStaffPanel();
    pickRow("ListView2", 0);
    ASSERT_TRUE(photoBox().hasPicture());

    // Nobody whose position still exists is as good as nobody.
    exec(QStringLiteral("update wkinfo set swkjobnum=N'999'"));
    boxes.expect(BoxKind::Warning, kNoticeTitle, kNoStaff);
    click("Button15");
    EXPECT_TRUE(rows("ListView2").isEmpty());
    EXPECT_FALSE(photoBox().hasPicture());
    EXPECT_EQ(text("Edit6"), QStringLiteral("001")); // the fields are the list's business only
}

TEST_F(StaffPanelTest, RowNoticeRunsForTheLoserThenTheGainerAndNeverOnReload) {
    createScoreDatabase();
    storeStaff(QStringLiteral("001"), QStringLiteral("张三"), QStringLiteral("0"),
               QStringLiteral("001"));
    storeStaff(QStringLiteral("002"), QStringLiteral("李四"), QStringLiteral("1"),
               QStringLiteral("002"));
    // A photo that fails to decode makes every load of its row visible.
    storePhoto(QStringLiteral("001"), fixture("red.jpg").left(100));
    openStaffPanel();
    const int damaged = rows("ListView2")[0][0] == QStringLiteral("001") ? 0 : 1;
    const int sound = 1 - damaged;

    boxes.expect(BoxKind::Error, kApplicationTitle, kDamagedJpegShown);
    pickRow("ListView2", damaged);
    boxes.verifyAllShown();

    // Another row: the one losing the selection is loaded first, then the new one.
    boxes.expect(BoxKind::Error, kApplicationTitle, kDamagedJpegShown);
    pickRow("ListView2", sound);
    boxes.verifyAllShown();
    EXPECT_EQ(text("Edit6"), QStringLiteral("002"));

    // Picking the selected row again runs nothing: the fields stay as 添加 left them.
    click("Button16");
    pickRow("ListView2", sound);
    EXPECT_EQ(text("Edit6"), QString());

    // A reload reports nothing either and leaves no row selected.
    click("Button15");
    EXPECT_EQ(text("Edit6"), QString());
    EXPECT_EQ(selectedRow("ListView2"), -1);

    // Empty space unselects, and the row that lost the selection is loaded once more.
    pickRow("ListView2", sound);
    click("Button16");
    clickEmptySpace("ListView2");
    EXPECT_EQ(selectedRow("ListView2"), -1);
    EXPECT_EQ(text("Edit6"), QStringLiteral("002"));
    EXPECT_EQ(text("Edit7"), QStringLiteral("李四"));
}

TEST_F(StaffPanelTest, ASexThatIsNoNumberIsReportedAndTheNextGoodReloadWorks) {
    createScoreDatabase();
    storeStaff(QStringLiteral("001"), QStringLiteral("张三"), QStringLiteral("男"),
               QStringLiteral("001"));
    createConnectedForm();
    boxes.expect(BoxKind::Information, kNoticeTitle, kPanelOpened);
    boxes.expectAnyText(BoxKind::Error, kApplicationTitle);
    click("Button7");
    boxes.verifyAllShown();
    EXPECT_TRUE(rows("ListView2").isEmpty());

    exec(QStringLiteral("update wkinfo set swksex=N'0'"));
    click("Button15");
    EXPECT_EQ(rows("ListView2"), (QList<QStringList>{{"001", "张三", "男", "收银员", "无"}}));
}

TEST_F(StaffPanelTest, PickingARowAnotherClientDeletedShowsNoPhoto) {
    createScoreDatabase();
    storeStaff(QStringLiteral("001"), QStringLiteral("张三"), QStringLiteral("0"),
               QStringLiteral("001"), fixture("red.jpg"));
    storeStaff(QStringLiteral("002"), QStringLiteral("李四"), QStringLiteral("0"),
               QStringLiteral("001"));
    openStaffPanel();
    const int first = rows("ListView2")[0][0] == QStringLiteral("001") ? 0 : 1;
    pickRow("ListView2", first);
    ASSERT_TRUE(photoBox().hasPicture());
    exec(QStringLiteral("delete from wkinfo where swknums=N'002'"));
    pickRow("ListView2", 1 - first);
    EXPECT_EQ(text("Edit6"), QStringLiteral("002"));
    EXPECT_FALSE(photoBox().hasPicture());
    EXPECT_FALSE(form().qrySql.IsOpen());
}
