// Deleting a staff member, and on request that person's score records.
#include "app/globals.h"
#include "app/tform1.h"
#include "ui/staff/staff_statements.h"
#include "ui/widgets/picture_box.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

QString confirmationText(const QString& staffNumber, const QString& name) {
    return QStringLiteral(
               "警告：\r\n删除工作人员数据将影响评分数据，请谨慎操作！\r\n\r\n确定要删除工号为:") +
           staffNumber + QStringLiteral("\r\n") + QStringLiteral("姓名为:") + name +
           QStringLiteral("\r\n\r\n") + QStringLiteral("的员工信息吗？");
}

QString nothingDeletedText(const QString& staffNumber, const QString& name) {
    return QStringLiteral("没有找到工号为:") + staffNumber + QStringLiteral("，姓名为:") + name +
           QStringLiteral("的工作人员，没有删除任何数据！");
}

} // namespace

void TForm1::Button17Click() {
    if (Edit6->text().isEmpty() || Edit7->text().isEmpty() || ComboBox2->currentIndex() < 0 ||
        ComboBox3->currentIndex() < 0) {
        box(BoxKind::Error, QStringLiteral("错误"), QStringLiteral("请先选择需要删除的人员信息！"));
        return;
    }
    try {
        if (box(BoxKind::Question, QStringLiteral("询问"),
                confirmationText(Edit6->text(), Edit7->text())) == Answer::Yes) {
            sConnStr = catalogConnStr();
            sSql = staff_sql::deleteRow(Edit6->text(), Edit7->text());
            qrySql.SetConnectionString(sConnStr);
            qrySql.SetSql(sSql);
            if (qrySql.RunStatement() == 0) {
                // Nobody was deleted, so nobody's scores may go either.
                box(BoxKind::Warning, QStringLiteral("提示"),
                    nothingDeletedText(Edit6->text(), Edit7->text()));
            } else if (box(BoxKind::Question, QStringLiteral("询问"),
                           QStringLiteral("成功删除工作人员！是否要从评分数据中删除该工作人员的所"
                                          "有记录？")) == Answer::Yes) {
                sSql = staff_sql::deleteScoresOf(Edit6->text());
                qrySql.SetSql(sSql);
                qrySql.RunStatement();
                box(BoxKind::Information, QStringLiteral("提示"),
                    QStringLiteral("成功从评分数据中删除该工作人员的所有数据！"));
            }
        }
        Image1->clearPicture();
        GetwkList();
    } catch (...) {
        box(BoxKind::Error, QStringLiteral("错误"),
            QStringLiteral("删除员工信息失败！请检查在SQL服务器上是否有操作权限！"));
    }
}
