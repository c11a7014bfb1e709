// Renaming a position: "修  改" opens the name, "保存修改" stores it. The number stays, since
// staff and score rows refer to it.
#include "app/globals.h"
#include "app/tform1.h"
#include "db/sql_literal.h"

#include <QLineEdit>
#include <QPushButton>
#include <exception>

void TForm1::Button11Click() {
    if (Edit4->text().isEmpty() || Edit5->text().isEmpty()) {
        box(BoxKind::Error, QStringLiteral("错误"), QStringLiteral("请先选择要修改的职务！"));
        return;
    }
    // A rename begun in the middle of an add must not leave the number open: a number typed
    // there would rename another position, and "保存添加" would still take the fields.
    Edit4->setEnabled(false);
    Button12->setEnabled(false);
    Edit5->setEnabled(true);
    Button9->setEnabled(false);
    Button10->setEnabled(false);
    Button11->setEnabled(false);
    Button13->setEnabled(true);
    Button14->setEnabled(true);
    box(BoxKind::Warning, QStringLiteral("提示信息"),
        QStringLiteral(
            "修改职务数据只能修改职务名称，如果要修改职务编号，请将该职务删除再重新添加！"));
}

void TForm1::Button13Click() {
    try {
        if (Edit5->text().isEmpty()) {
            box(BoxKind::Error, QStringLiteral("错误"),
                QStringLiteral("职务名称不能为空，请先填写再修改！"));
            return;
        }
        sConnStr = catalogConnStr();
        sSql = QStringLiteral("update Jobs set sJobName=") + SqlText(Edit5->text()) +
               QStringLiteral(" where sJobNum=") + SqlText(Edit4->text());
        qrySql.SetConnectionString(sConnStr);
        qrySql.SetSql(sSql);
        if (qrySql.RunStatement() == 0) {
            // Someone else deleted the position meanwhile; claiming success would hide that.
            box(BoxKind::Warning, QStringLiteral("提示"),
                QStringLiteral("没有找到职务编号为:") + Edit4->text() +
                    QStringLiteral("的职务，职务名称没有修改！"));
            return;
        }

        Edit4->clear();
        Edit5->clear();
        Edit4->setEnabled(false);
        Edit5->setEnabled(false);
        Button9->setEnabled(true);
        Button11->setEnabled(true);
        Button13->setEnabled(false);
        Button14->setEnabled(false);
        box(BoxKind::Information, QStringLiteral("提示"), QStringLiteral("职务名称修改成功！"));
        GetJobList();
        GetwkList();
    } catch (const std::exception&) {
        box(BoxKind::Error, QStringLiteral("错误"),
            QStringLiteral(
                "修改职务名称失败，请检查登录数据库服务器的用户名是否有修改数据库的权限！"));
    }
}
