// Deleting a position, and on request the staff and score rows that carry its number.
#include "app/globals.h"
#include "app/tform1.h"
#include "db/sql_literal.h"

#include <QLineEdit>
#include <exception>

namespace {

QString deleteQuestion(const QString& jobNum, const QString& jobName) {
    return QStringLiteral("警告:\r\n\r\n删除职务将影响工作人员数据和评分数据，请谨慎操作！\r\n\r\n"
                          "确定要删除\r\n\r\n职务编号为:") +
           jobNum + QStringLiteral("\r\n职务名称为:") + jobName +
           QStringLiteral("\r\n\r\n的职务吗？");
}

QString dependentsQuestion(const QString& jobNum, const QString& jobName) {
    return QStringLiteral("成功删除\r\n\r\n职务编号为:") + jobNum +
           QStringLiteral("\r\n职务名称为:") + jobName +
           QStringLiteral("\r\n\r\n的职务，是否从人员数据和评分数据中删除该职务的数据？");
}

QString nothingDeletedWarning(const QString& jobNum, const QString& jobName) {
    return QStringLiteral("没有找到职务编号为:") + jobNum + QStringLiteral("，职务名称为:") +
           jobName + QStringLiteral("的职务，没有删除任何数据！");
}

// Both name the position by number and name, so that a name edited since the row was picked
// deletes nothing rather than some other position.
QString positionDeletion(const QString& jobNum, const QString& jobName) {
    return QStringLiteral("delete from score.dbo.jobs where sJobNum=") + SqlText(jobNum) +
           QStringLiteral(" AND sJobName=") + SqlText(jobName);
}

QString dependentsDeletion(const QString& jobNum) {
    return QStringLiteral("begin\r\ndelete from score.dbo.wkinfo where swkjobnum=") +
           SqlText(jobNum) + QStringLiteral("\r\ndelete from score.dbo.scores where swkjobnum=") +
           SqlText(jobNum) + QStringLiteral("\r\nend");
}

// The statements name their tables in full, so whichever form sConnStr was last built in
// serves; it is not rebuilt.
std::int64_t runOnCurrentConnection(SqlGateway& gateway) {
    gateway.SetConnectionString(sConnStr);
    gateway.SetSql(sSql);
    return gateway.RunStatement();
}

} // namespace

void TForm1::Button10Click() {
    try {
        const QString jobNum = Edit4->text();
        const QString jobName = Edit5->text();
        if (jobNum.isEmpty() || jobName.isEmpty()) {
            box(BoxKind::Error, QStringLiteral("错误"), QStringLiteral("请先选择要删除的职务！"));
        } else if (box(BoxKind::Question, QStringLiteral("询问"),
                       deleteQuestion(jobNum, jobName)) == Answer::Yes) {
            sSql = positionDeletion(jobNum, jobName);
            if (runOnCurrentConnection(qrySql) == 0) {
                // Nothing was deleted, so offering to delete the staff of a position that
                // still exists would do harm.
                box(BoxKind::Warning, QStringLiteral("提示"),
                    nothingDeletedWarning(jobNum, jobName));
            } else if (box(BoxKind::Question, QStringLiteral("询问"),
                           dependentsQuestion(jobNum, jobName)) == Answer::Yes) {
                sSql = dependentsDeletion(jobNum);
                runOnCurrentConnection(qrySql);
                box(BoxKind::Information, QStringLiteral("提示"),
                    QStringLiteral("成功从人员数据和评分数据中删除该职务的所有数据！"));
            }
            Edit4->clear();
            Edit5->clear();
        }
        GetJobList();
        GetwkList();
    } catch (const std::exception&) {
        box(BoxKind::Error, QStringLiteral("错误"),
            QStringLiteral("删除数据失败，请检查连接数据库的登录名是否有删除数据的权限！"));
    }
}
