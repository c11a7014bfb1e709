// "连接服务器": proves the typed server, login and password by asking the server one question.
#include "app/globals.h"
#include "app/tform1.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

void enableAll(std::initializer_list<QWidget*> controls, bool enabled) {
    for (QWidget* control : controls)
        control->setEnabled(enabled);
}

} // namespace

void TForm1::Button2Click() {
    sServerIP = Edit1->text();
    sUser = Edit2->text();
    sPassword = Edit3->text();
    try {
        sConnStr = serverConnStr();
        // The trailing space is the server's business: it ignores it when comparing.
        sSql = QStringLiteral("select * from master.dbo.sysdatabases where name='score '");
        // The text first: it closes any result another operation left open, which would
        // otherwise refuse the new connection string and fail a test of a sound server.
        qrySql.SetSql(sSql);
        qrySql.SetConnectionString(sConnStr);
        qrySql.OpenQuery();
        qrySql.Close();
    } catch (...) {
        // Whatever went wrong, the administrator gets the one message; the server's own
        // words would not help them retype the address.
        box(BoxKind::Error, QStringLiteral("错误"),
            QStringLiteral("连接服务器失败，请重新配置SQL服务器信息！"));
        enableAll({Edit1, Edit2, Edit3, Button1, Button2}, true);
        enableAll({Button3, Button4, Button5, Button6, Button7}, false);
        return;
    }
    enableAll({Edit1, Edit2, Edit3, Button1, Button2}, false);
    enableAll({Button3, Button4, Button5, Button6, Button7}, true);
}
