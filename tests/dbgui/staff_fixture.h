// The staff panel on a connected window, with staff and photos put on the server the way
// another client of the database would put them.
#pragma once

#include "tests/support/database_fixture.h"

#include <QByteArray>
#include <QString>

class PictureBox;

namespace staff_texts {
inline const QString kPanelOpened = QStringLiteral("现在可以对工作人员信息进行维护了！");
inline const QString kNoStaff = QStringLiteral("没有工作人员信息，请先添加！");
inline const QString kModifyHint =
    QStringLiteral("修改工作人员数据不能修改工号，如果要修改工号，请将该工作人员删除再重新添加！");
inline const QString kAdded = QStringLiteral("成功添加工作人员！");
inline const QString kAddFailed =
    QStringLiteral("添加工作人员失败，请注意：工号不能重复！同时检查是否对SQL服务器有操作权限！");
inline const QString kAddIncomplete = QStringLiteral("请将工作人员信息填写完整！");
inline const QString kModified = QStringLiteral("工作人员信息修改成功！");
inline const QString kModifyFailed = QStringLiteral(
    "工作人员信息修改失败！请检查SQL服务器上是否存在数据库score及对SQL服务器是否有操作权限！");
inline const QString kModifyIncomplete = QStringLiteral("请将员工信息填写完整！");
inline const QString kPickToModify = QStringLiteral("请选择需要修改的工作人员！");
inline const QString kPickToDelete = QStringLiteral("请先选择需要删除的人员信息！");
inline const QString kDeleted =
    QStringLiteral("成功删除工作人员！是否要从评分数据中删除该工作人员的所有记录？");
inline const QString kScoresDeleted = QStringLiteral("成功从评分数据中删除该工作人员的所有数据！");
inline const QString kDeleteFailed =
    QStringLiteral("删除员工信息失败！请检查在SQL服务器上是否有操作权限！");
inline const QString kPhotoDialogTitle =
    QStringLiteral("选择一张Jpg图片，本程序目前只支持JPG格式的图片");
inline const QString kPhotoDialogFilter = QStringLiteral("Jpg图片(*.jpg;*.jpeg)|*.jpg;*.jpeg");
// As the application-level handler shows the decoder's texts.
inline const QString kNotJpegShown = QStringLiteral("照片不是JPG图片!");
inline const QString kDamagedJpegShown = QStringLiteral("JPG图片已损坏，无法显示!");
inline const QString kErrorTitle = QStringLiteral("错误");
inline const QString kNoticeTitle = QStringLiteral("提示");
inline const QString kQuestionTitle = QStringLiteral("询问");
inline const QString kApplicationTitle = QStringLiteral("Scoresetup");

QString deleteQuestion(const QString& staffNumber, const QString& name);
QString nothingDeleted(const QString& staffNumber, const QString& name);
QString nothingModified(const QString& staffNumber);
} // namespace staff_texts

class StaffPanelTest : public DatabaseFormTest {
protected:
    static QString fixturePath(const char* name);
    static QByteArray fixture(const char* name);

    // A staff row and its photo written straight into the table (sex as stored: "0" or "1").
    void storeStaff(const QString& number, const QString& name, const QString& sex,
                    const QString& positionNumber, const QByteArray& photo = {});
    void storePhoto(const QString& number, const QByteArray& photo);
    void storeScore(const QString& staffNumber, const QString& positionNumber);

    // Number, name, sex and position number of every staff row, sorted by number.
    QList<QStringList> storedStaff();
    QByteArray storedPhoto(const QString& number);
    bool photoIsNull(const QString& number);
    int scoreCount(const QString& staffNumber);

    // Connects and opens the panel; the list is expected to be empty when `staffListed` is false.
    void openStaffPanel(bool staffListed = true);
    // Adds through the window: 添加, the fields, an optional photo file, 保存添加.
    void addStaff(const QString& number, const QString& name, int sex, int position,
                  const QString& photoFile = {});

    PictureBox& photoBox();
    QByteArray shownPhoto();
    int selectedRow(const char* listName);
};
