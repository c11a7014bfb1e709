// Setup.ini at start-up and the "保存配置" button: the server the scoring clients will reach.
#include "app/globals.h"
#include "app/tform1.h"
#include "settings/password_hex.h"
#include "settings/profile_file.h"

#include <QLineEdit>
#include <stdexcept>
#include <utility>

namespace {

const QString kSection = QStringLiteral("Setup");

} // namespace

void TForm1::readSettings() {
    sServerIP = IniFile->readString(kSection, QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
    sUser = IniFile->readString(kSection, QStringLiteral("User"), QStringLiteral("sa"));
    try {
        sPassword = HexToPassword(IniFile->readString(kSection, QStringLiteral("Password"), {}));
    } catch (const std::runtime_error& failure) {
        // A damaged password must not cost the rest of start-up (the skin and sex lists): say
        // what is wrong and go on without a password, which the administrator can type again.
        showApplicationError(QString::fromUtf8(failure.what()));
        sPassword.clear();
    }
    iSkinIndex = IniFile->readInteger(kSection, QStringLiteral("SkinIndex"), 0);
}

void TForm1::Button1Click() {
    const QString serverIP = Edit1->text();
    const QString user = Edit2->text();
    const QString password = Edit3->text();
    if (serverIP.isEmpty() || user.isEmpty()) {
        box(BoxKind::Error, QStringLiteral("错误"),
            QStringLiteral("请填写SQL服务器IP和登录用户名！"));
        return;
    }
    if (!PasswordSurvivesStorage(password)) {
        box(BoxKind::Error, QStringLiteral("错误"),
            QStringLiteral("密码只能包含U+0001到U+00FF之间的字符，请重新输入密码！"));
        return;
    }
    if (password.isEmpty() && box(BoxKind::Question, QStringLiteral("询问"),
                                  QStringLiteral("确定不需要密码登录SQL服务器吗？")) == Answer::No)
        return;

    const std::pair<QString, QString> keys[] = {
        {QStringLiteral("IP"), serverIP},
        {QStringLiteral("User"), user},
        {QStringLiteral("Password"), PasswordToHex(password)}};
    // A pasted line break is refused before the first key is written, not halfway through.
    for (const auto& [key, value] : keys)
        IniFile->requireSingleLine(kSection, key, value);
    for (const auto& [key, value] : keys)
        IniFile->writeString(kSection, key, value);
    box(BoxKind::Information, QStringLiteral("提示"),
        QStringLiteral("文件已经保存到程序所在目录下的“Setup.ini”中，\r\n\r\n"
                       "将该文件复制到客户端目录中以便于客户端连接数据库！"));
}
