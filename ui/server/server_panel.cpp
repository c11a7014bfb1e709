// The server panel: where the server is typed in, saved, tested, and the database managed.
#include "app/controls.h"
#include "app/tform1.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

void TForm1::buildGroupBox1() {
    GroupBox1 =
        makeGroupBox(this, "GroupBox1", QStringLiteral("SQL服务器设置"), {8, 8, 257, 305}, true);
    QWidget* box = GroupBox1;
    Label1 = makeLabel(box, "Label1", QStringLiteral("服务器IP:"), {16, 24, 50, 13});
    Label2 = makeLabel(box, "Label2", QStringLiteral("用户名:"), {16, 56, 40, 13});
    Label3 = makeLabel(box, "Label3", QStringLiteral("密码:"), {16, 88, 28, 13});
    Edit1 = makeEdit(box, "Edit1", QStringLiteral("127.0.0.1"), {72, 21, 169, 21}, true);
    Edit2 = makeEdit(box, "Edit2", QStringLiteral("sa"), {72, 53, 169, 21}, true);
    Edit3 = makeEdit(box, "Edit3", QString(), {72, 85, 169, 21}, true);
    Edit3->setEchoMode(QLineEdit::Password);
    Button1 = makeButton(box, "Button1", QStringLiteral("保存配置"), {28, 128, 89, 33}, true);
    Button2 = makeButton(box, "Button2", QStringLiteral("连接服务器"), {140, 128, 89, 33}, true);
    Button3 = makeButton(box, "Button3", QStringLiteral("建立数据库"), {28, 167, 89, 33}, false);
    Button4 = makeButton(box, "Button4", QStringLiteral("删除数据库"), {140, 167, 89, 33}, false);
    Button5 = makeButton(box, "Button5", QStringLiteral("初始化数据库以便于维护"),
                         {28, 206, 201, 33}, false);
    Button6 = makeButton(box, "Button6", QStringLiteral("职务维护"), {28, 245, 89, 33}, false);
    Button7 = makeButton(box, "Button7", QStringLiteral("人员维护"), {140, 245, 89, 33}, false);
}

void TForm1::connectGroupBox1() {
    connectClick(Button1, &TForm1::Button1Click);
    connectClick(Button2, &TForm1::Button2Click);
    connectClick(Button3, &TForm1::Button3Click);
    connectClick(Button4, &TForm1::Button4Click);
    connectClick(Button5, &TForm1::Button5Click);
    connectClick(Button6, &TForm1::Button6Click);
    connectClick(Button7, &TForm1::Button7Click);
}
