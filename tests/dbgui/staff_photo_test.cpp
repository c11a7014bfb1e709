// Photos: chosen from a file, stored as the file's own bytes, shown from the database, and
// never lost or swapped when something about them goes wrong.
#include "tests/dbgui/staff_fixture.h"

#include "ui/widgets/picture_box.h"

#include <QDir>

using namespace staff_texts;

namespace {

int rowOf(const QList<QStringList>& listed, const QString& number) {
    for (int row = 0; row < listed.size(); ++row)
        if (listed[row][0] == number)
            return row;
    return -1;
}

} // namespace

TEST_F(StaffPanelTest, AddWithoutPhotoLeavesItNullAndWithOneStoresTheFileByteForByte) {
    createScoreDatabase();
    openStaffPanel(false);
    addStaff(QStringLiteral("001"), QStringLiteral("无照片"), 0, 0);
    EXPECT_TRUE(photoIsNull(QStringLiteral("001")));
    EXPECT_EQ(rows("ListView2"), (QList<QStringList>{{"001", "无照片", "男", "收银员", "无"}}));

    addStaff(QStringLiteral("002"), QStringLiteral("有照片"), 1, 1, fixturePath("gradient.jpg"));
    EXPECT_EQ(files.calls().back().title, kPhotoDialogTitle);
    EXPECT_EQ(files.calls().back().filter, kPhotoDialogFilter);
    EXPECT_EQ(files.calls().back().fileName, QString());
    EXPECT_EQ(storedPhoto(QStringLiteral("002")), fixture("gradient.jpg"));
    const auto listed = rows("ListView2");
    ASSERT_EQ(listed.size(), 2);
    EXPECT_EQ(listed[rowOf(listed, QStringLiteral("002"))],
              (QStringList{"002", "有照片", "女", "网管", "有"}));

    pickRow("ListView2", rowOf(listed, QStringLiteral("002")));
    EXPECT_EQ(shownPhoto(), fixture("gradient.jpg"));
    pickRow("ListView2", rowOf(listed, QStringLiteral("001")));
    EXPECT_FALSE(photoBox().hasPicture());
}

TEST_F(StaffPanelTest, AModificationWritesBackTheSameBytesOrTheNewlyChosenOnes) {
    createScoreDatabase();
    storeStaff(QStringLiteral("001"), QStringLiteral("张三"), QStringLiteral("0"),
               QStringLiteral("001"), fixture("red.jpg"));
    storeStaff(QStringLiteral("002"), QStringLiteral("李四"), QStringLiteral("0"),
               QStringLiteral("001"));
    openStaffPanel();

    const auto modify = [&](const QString& number, const QString& newName, const char* newPhoto) {
        pickRow("ListView2", rowOf(rows("ListView2"), number));
        boxes.expect(BoxKind::Warning, QStringLiteral("提示信息"), kModifyHint);
        click("Button18");
        type("Edit7", newName);
        if (newPhoto) {
            files.answer(fixturePath(newPhoto));
            click("Button21");
        }
        boxes.expect(BoxKind::Information, kNoticeTitle, kModified);
        click("Button20");
        boxes.verifyAllShown();
    };

    modify(QStringLiteral("001"), QStringLiteral("张三丰"), nullptr);
    EXPECT_EQ(storedPhoto(QStringLiteral("001")), fixture("red.jpg"));
    modify(QStringLiteral("001"), QStringLiteral("张三丰"), "gradient.jpg");
    EXPECT_EQ(storedPhoto(QStringLiteral("001")), fixture("gradient.jpg"));
    modify(QStringLiteral("002"), QStringLiteral("李四光"), nullptr);
    EXPECT_TRUE(photoIsNull(QStringLiteral("002")));
    EXPECT_EQ(storedStaff(),
              (QList<QStringList>{{"001", "张三丰", "0", "001"}, {"002", "李四光", "0", "001"}}));
}

TEST_F(StaffPanelTest, CancellingThePhotoDialogKeepsThePicture) {
    createScoreDatabase();
    openStaffPanel(false);
    click("Button16");
    files.answer(fixturePath("red.jpg"));
    click("Button21");
    files.answer(std::nullopt);
    click("Button21");
    EXPECT_EQ(shownPhoto(), fixture("red.jpg"));
}

TEST_F(StaffPanelTest, AChosenFileThatIsNoPhotoIsReportedAndWritesNothing) {
    struct Case {
        const char* what;
        QString path;
        QString shown; // empty: only the title is compared
    };
    createScoreDatabase();
    storeStaff(QStringLiteral("001"), QStringLiteral("张三"), QStringLiteral("0"),
               QStringLiteral("001"), fixture("red.jpg"));
    openStaffPanel();
    const Case cases[] = {
        {"not a JPEG", fixturePath("not-a-photo.jpg"), kNotJpegShown},
        {"missing file", QDir(programDir()).filePath(QStringLiteral("没有这个文件.jpg")), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        pickRow("ListView2", 0);
        boxes.expect(BoxKind::Warning, QStringLiteral("提示信息"), kModifyHint);
        click("Button18");
        ASSERT_TRUE(photoBox().hasPicture());

        files.answer(c.path);
        if (c.shown.isEmpty())
            boxes.expectAnyText(BoxKind::Error, kApplicationTitle);
        else
            boxes.expect(BoxKind::Error, kApplicationTitle, c.shown);
        click("Button21");
        boxes.verifyAllShown();
        if (c.shown.isEmpty()) {
            EXPECT_TRUE(boxes.shown().back().text.contains(QStringLiteral("没有这个文件.jpg")));
        }
        EXPECT_FALSE(photoBox().hasPicture());
        EXPECT_EQ(storedPhoto(QStringLiteral("001")), fixture("red.jpg"));

        // The box is empty, so saving keeps the stored photo.
        boxes.expect(BoxKind::Information, kNoticeTitle, kModified);
        click("Button20");
        EXPECT_EQ(storedPhoto(QStringLiteral("001")), fixture("red.jpg"));
    }
}

TEST_F(StaffPanelTest, ADamagedStoredPhotoClearsTheBoxAndSurvivesAModification) {
    createScoreDatabase();
    const QByteArray truncated = fixture("gradient.jpg").left(200);
    storeStaff(QStringLiteral("001"), QStringLiteral("张三"), QStringLiteral("0"),
               QStringLiteral("001"), fixture("red.jpg"));
    storeStaff(QStringLiteral("002"), QStringLiteral("李四"), QStringLiteral("1"),
               QStringLiteral("002"), truncated);
    openStaffPanel();
    const auto listed = rows("ListView2");

    pickRow("ListView2", rowOf(listed, QStringLiteral("001")));
    ASSERT_EQ(shownPhoto(), fixture("red.jpg"));
    boxes.expect(BoxKind::Error, kApplicationTitle, kDamagedJpegShown);
    pickRow("ListView2", rowOf(listed, QStringLiteral("002")));
    boxes.verifyAllShown();
    // Never the previous person's photo: saving now would write it into this row.
    EXPECT_FALSE(photoBox().hasPicture());
    EXPECT_EQ(text("Edit6"), QStringLiteral("002"));
    EXPECT_FALSE(form().qrySql.IsOpen());

    boxes.expect(BoxKind::Warning, QStringLiteral("提示信息"), kModifyHint);
    click("Button18");
    type("Edit7", QStringLiteral("李四光"));
    boxes.expect(BoxKind::Information, kNoticeTitle, kModified);
    click("Button20");
    EXPECT_EQ(storedPhoto(QStringLiteral("002")), truncated);
    EXPECT_EQ(storedStaff()[1], (QStringList{"002", "李四光", "1", "002"}));
}

TEST_F(StaffPanelTest, ADamagedStoredPhotoDoesNotEnableDeleteOrModify) {
    createScoreDatabase();
    storeStaff(QStringLiteral("001"), QStringLiteral("张三"), QStringLiteral("0"),
               QStringLiteral("001"), fixture("red.jpg").left(120));
    openStaffPanel();
    boxes.expect(BoxKind::Error, kApplicationTitle, kDamagedJpegShown);
    pickRow("ListView2", 0);
    EXPECT_EQ(text("Edit7"), QStringLiteral("张三"));
    EXPECT_FALSE(enabled("Button17"));
    EXPECT_FALSE(enabled("Button18"));
    EXPECT_FALSE(form().qrySql.IsOpen());
}
