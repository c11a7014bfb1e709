// Adding a position: "添  加" opens the fields, "保存添加" stores them.
#include "app/globals.h"
#include "app/tform1.h"
#include "db/sql_literal.h"

#include <QLineEdit>
#include <QPushButton>
#include <exception>

void TForm1::Button9Click() {
    Button9->setEnabled(false);
    Button10->setEnabled(false);
    Button11->setEnabled(false);
    Button12->setEnabled(true);
    Button13->setEnabled(false);
    Button14->setEnabled(true);
    Edit4->clear();
    Edit5->clear();
    Edit4->setEnabled(true);
    Edit5->setEnabled(true);
}

void TForm1::Button12Click() {
    try {
        if (Edit4->text().isEmpty() || Edit5->text().isEmpty()) {
            box(BoxKind::Error, QStringLiteral("错误"),
                QStringLiteral("请先填写职务编号和职务名称！"));
            return;
        }
        sConnStr = catalogConnStr();
        sSql = QStringLiteral("insert into Jobs values(") + SqlText(Edit4->text()) + u',' +
               SqlText(Edit5->text()) + u')';
        qrySql.SetConnectionString(sConnStr);
        qrySql.SetSql(sSql);
        qrySql.RunStatement();

        Edit4->setEnabled(false);
        Edit5->setEnabled(false);
        Button9->setEnabled(true);
        Button11->setEnabled(true);
        Button12->setEnabled(false);
        Button14->setEnabled(false);
        box(BoxKind::Information, QStringLiteral("提示"),
            QStringLiteral("添加职务 “") + Edit5->text() + QStringLiteral("” 成功！"));
        Edit4->clear();
        Edit5->clear();
        GetJobList();
        GetwkList();
    } catch (const std::exception&) {
        // The server's own words would not tell the administrator what to do; the likely
        // causes would.
        box(BoxKind::Error, QStringLiteral("错误"),
            QStringLiteral("添加职务 “") + Edit5->text() +
                QStringLiteral("” 失败！不能添加重复的职务编号！\r\n\r\n"
                               "同时请检查登录数据库服务器的用户名是否有修改数据库的权限！"));
    }
}
