#include "tests/dbgui/staff_fixture.h"

#include "ui/widgets/picture_box.h"

#include <QFile>
#include <QTreeWidget>
#include <algorithm>

namespace staff_texts {

QString deleteQuestion(const QString& staffNumber, const QString& name) {
    return QStringLiteral(
               "警告：\r\n删除工作人员数据将影响评分数据，请谨慎操作！\r\n\r\n确定要删除工号为:") +
           staffNumber + QStringLiteral("\r\n姓名为:") + name +
           QStringLiteral("\r\n\r\n的员工信息吗？");
}

QString nothingDeleted(const QString& staffNumber, const QString& name) {
    return QStringLiteral("没有找到工号为:") + staffNumber + QStringLiteral("，姓名为:") + name +
           QStringLiteral("的工作人员，没有删除任何数据！");
}

QString nothingModified(const QString& staffNumber) {
    return QStringLiteral("没有找到工号为:") + staffNumber +
           QStringLiteral("的工作人员，信息没有修改！");
}

} // namespace staff_texts

namespace {

// Quoted by hand on purpose: the test must not lean on the program's own quoting.
QString literal(const QString& value) {
    QString doubled = value;
    doubled.replace(QStringLiteral("'"), QStringLiteral("''"));
    return QStringLiteral("N'") + doubled + QStringLiteral("'");
}

} // namespace

QString StaffPanelTest::fixturePath(const char* name) {
    return QStringLiteral(SCORE_TEST_FIXTURES "/staff/") + QString::fromLatin1(name);
}

QByteArray StaffPanelTest::fixture(const char* name) {
    QFile file(fixturePath(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << "missing fixture " << name;
    return file.readAll();
}

void StaffPanelTest::storeStaff(const QString& number, const QString& name, const QString& sex,
                                const QString& positionNumber, const QByteArray& photo) {
    exec(QStringLiteral("insert into wkinfo(swknums,swkname,swksex,swkjobnum) values(") +
         literal(number) + u',' + literal(name) + u',' + literal(sex) + u',' +
         literal(positionNumber) + u')');
    if (!photo.isEmpty())
        storePhoto(number, photo);
}

void StaffPanelTest::storePhoto(const QString& number, const QByteArray& photo) {
    exec(QStringLiteral("update wkinfo set wkphoto=0x") + QString::fromLatin1(photo.toHex()) +
         QStringLiteral(" where swknums=") + literal(number));
}

void StaffPanelTest::storeScore(const QString& staffNumber, const QString& positionNumber) {
    exec(QStringLiteral("insert into scores(swknum,swkjobnum,iwkscore,sclip,smemo,dtdatetime) "
                        "values(") +
         literal(staffNumber) + u',' + literal(positionNumber) +
         QStringLiteral(",95.5,N'127.0.0.1',NULL,'2026-01-02 03:04:05')"));
}

QList<QStringList> StaffPanelTest::storedStaff() {
    auto rows = query(QStringLiteral("select swknums,swkname,swksex,swkjobnum from wkinfo"));
    std::sort(rows.begin(), rows.end());
    return rows;
}

QByteArray StaffPanelTest::storedPhoto(const QString& number) {
    return queryBytes(QStringLiteral("select wkphoto from wkinfo where swknums=") + literal(number),
                      QStringLiteral("wkphoto"));
}

bool StaffPanelTest::photoIsNull(const QString& number) {
    const auto rows =
        query(QStringLiteral("select wkphoto from wkinfo where swknums=") + literal(number));
    return rows.size() == 1 && rows[0][0] == QStringLiteral("<NULL>");
}

int StaffPanelTest::scoreCount(const QString& staffNumber) {
    return int(
        query(QStringLiteral("select swknum from scores where swknum=") + literal(staffNumber))
            .size());
}

void StaffPanelTest::openStaffPanel(bool staffListed) {
    createConnectedForm();
    boxes.expect(BoxKind::Information, staff_texts::kNoticeTitle, staff_texts::kPanelOpened);
    if (!staffListed)
        boxes.expect(BoxKind::Warning, staff_texts::kNoticeTitle, staff_texts::kNoStaff);
    click("Button7");
    boxes.verifyAllShown();
}

void StaffPanelTest::addStaff(const QString& number, const QString& name, int sex, int position,
                              const QString& photoFile) {
    click("Button16");
    type("Edit6", number);
    type("Edit7", name);
    pick("ComboBox2", sex);
    pick("ComboBox3", position);
    if (!photoFile.isEmpty()) {
        files.answer(photoFile);
        click("Button21");
    }
    boxes.expect(BoxKind::Information, staff_texts::kNoticeTitle, staff_texts::kAdded);
    click("Button19");
}

PictureBox& StaffPanelTest::photoBox() {
    return *control<PictureBox>("Image1");
}

QByteArray StaffPanelTest::shownPhoto() {
    return photoBox().hasPicture() ? photoBox().jpegBytes() : QByteArray();
}

int StaffPanelTest::selectedRow(const char* listName) {
    auto* list = control<QTreeWidget>(listName);
    const auto selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->indexOfTopLevelItem(selected.front());
}
