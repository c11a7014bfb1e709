// "保存配置": the server fields into Setup.ini, which the scoring clients read.
#include "app/globals.h"
#include "tests/support/form_fixture.h"
#include "tests/unit/settings/file_size_limit.h"

#include <QDir>
#include <QMap>
#include <QWidget>
#include <string>

namespace {

const QString kSaved = QStringLiteral("文件已经保存到程序所在目录下的“Setup.ini”中，\r\n\r\n"
                                      "将该文件复制到客户端目录中以便于客户端连接数据库！");

class SettingsSave : public FormTest {
protected:
    void fillServer(const QString& serverIP, const QString& user, const QString& password) {
        type("Edit1", serverIP);
        type("Edit2", user);
        type("Edit3", password);
    }
    std::string ini() const { return readIni().toStdString(); }
    QString unableToWrite() const {
        return "Unable to write to " + QDir::toNativeSeparators(iniPath()) + ".";
    }
    QMap<QString, bool> enabledStates() {
        QMap<QString, bool> states;
        for (const QWidget* child : form().findChildren<QWidget*>())
            if (!child->objectName().isEmpty())
                states[child->objectName()] = child->isEnabled();
        return states;
    }
};

TEST_F(SettingsSave, MissingFileIsCreatedInTheFormTheClientsRead) {
    createForm();
    fillServer(QStringLiteral("192.168.1.20"), QStringLiteral("scorer"), QStringLiteral("abc"));
    boxes.expect(BoxKind::Information, QStringLiteral("提示"), kSaved);
    click("Button1");
    EXPECT_EQ(ini(), "[Setup]\r\nIP=192.168.1.20\r\nUser=scorer\r\nPassword=616263\r\n");
}

TEST_F(SettingsSave, RewritesOnlyTheServerLines) {
    const QByteArray before = "; copied to every scoring client\r\n"
                              "[Client]\r\n"
                              "Title=评分\r\n"
                              "[Setup]\r\n"
                              "IP=127.0.0.1\r\n"
                              "User=sa\r\n"
                              "Password=\r\n"
                              "SkinIndex=4\r\n";
    writeIni(before);
    createForm();
    fillServer(QStringLiteral("10.0.0.2"), QStringLiteral("sa"), QStringLiteral("x y"));
    boxes.expect(BoxKind::Information, QStringLiteral("提示"), kSaved);
    click("Button1");

    QByteArray expected = before;
    expected.replace("IP=127.0.0.1\r\n", "IP=10.0.0.2\r\n");
    expected.replace("Password=\r\n", "Password=782079\r\n");
    EXPECT_EQ(ini(), expected.toStdString());
}

TEST_F(SettingsSave, ChangesNeitherGlobalValuesNorEnabledStates) {
    createForm();
    const QMap<QString, bool> enabledBefore = enabledStates();
    fillServer(QStringLiteral("10.0.0.3"), QStringLiteral("boss"), QStringLiteral("pw"));
    boxes.expect(BoxKind::Information, QStringLiteral("提示"), kSaved);
    click("Button1");
    EXPECT_EQ(sServerIP, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(sUser, QStringLiteral("sa"));
    EXPECT_EQ(sPassword, QString());
    EXPECT_EQ(enabledStates(), enabledBefore);
}

TEST_F(SettingsSave, NewWindowShowsSavedServer) {
    createForm();
    // Every code unit a password may hold comes back, these at the edges included.
    const QString password = QString(QChar(0x01)) + QStringLiteral("pä$ ß") + QChar(0xFF);
    fillServer(QStringLiteral("db.example.test"), QStringLiteral("张三"), password);
    boxes.expect(BoxKind::Information, QStringLiteral("提示"), kSaved);
    click("Button1");

    createForm();
    EXPECT_EQ(text("Edit1"), QStringLiteral("db.example.test"));
    EXPECT_EQ(text("Edit2"), QStringLiteral("张三"));
    EXPECT_EQ(text("Edit3"), password);
}

struct MissingField {
    const char* name;
    QString serverIP;
    QString user;
};

void PrintTo(const MissingField& c, std::ostream* out) {
    *out << c.name;
}

class SettingsSaveMissingField : public SettingsSave,
                                 public ::testing::WithParamInterface<MissingField> {};

TEST_P(SettingsSaveMissingField, IsRefusedAndNothingWritten) {
    createForm();
    fillServer(GetParam().serverIP, GetParam().user, QStringLiteral("abc"));
    boxes.expect(BoxKind::Error, QStringLiteral("错误"),
                 QStringLiteral("请填写SQL服务器IP和登录用户名！"));
    click("Button1");
    EXPECT_FALSE(QFile::exists(iniPath()));
}

INSTANTIATE_TEST_SUITE_P(Fields, SettingsSaveMissingField,
                         ::testing::Values(MissingField{"no IP", "", "sa"},
                                           MissingField{"no user", "127.0.0.1", ""},
                                           MissingField{"neither", "", ""}));

TEST_F(SettingsSave, IpOfSpacesOnlyCountsAsFilled) {
    createForm();
    fillServer(QStringLiteral("   "), QStringLiteral("sa"), QStringLiteral("a"));
    boxes.expect(BoxKind::Information, QStringLiteral("提示"), kSaved);
    click("Button1");
    EXPECT_EQ(ini(), "[Setup]\r\nIP=   \r\nUser=sa\r\nPassword=61\r\n");
}

TEST_F(SettingsSave, EmptyPasswordAnsweredNoWritesNothing) {
    const QByteArray before = "[Setup]\r\nIP=127.0.0.1\r\nUser=sa\r\nPassword=616263\r\n";
    writeIni(before);
    createForm();
    fillServer(QStringLiteral("10.0.0.4"), QStringLiteral("sa"), QString());
    boxes.expect(BoxKind::Question, QStringLiteral("询问"),
                 QStringLiteral("确定不需要密码登录SQL服务器吗？"), Answer::No);
    click("Button1");
    EXPECT_EQ(ini(), before.toStdString());
}

TEST_F(SettingsSave, EmptyPasswordAnsweredYesWritesEmptyValue) {
    writeIni("[Setup]\r\nIP=127.0.0.1\r\nUser=sa\r\nPassword=616263\r\n");
    createForm();
    fillServer(QStringLiteral("10.0.0.4"), QStringLiteral("sa"), QString());
    boxes.expect(BoxKind::Question, QStringLiteral("询问"),
                 QStringLiteral("确定不需要密码登录SQL服务器吗？"), Answer::Yes);
    boxes.expect(BoxKind::Information, QStringLiteral("提示"), kSaved);
    click("Button1");
    EXPECT_EQ(ini(), "[Setup]\r\nIP=10.0.0.4\r\nUser=sa\r\nPassword=\r\n");
}

struct UnstorablePassword {
    const char* name;
    QString password;
};

void PrintTo(const UnstorablePassword& c, std::ostream* out) {
    *out << c.name;
}

class SettingsSaveUnstorablePassword : public SettingsSave,
                                       public ::testing::WithParamInterface<UnstorablePassword> {};

TEST_P(SettingsSaveUnstorablePassword, IsRefusedAndNothingWritten) {
    const QByteArray before = "[Setup]\r\nIP=127.0.0.1\r\nUser=sa\r\nPassword=616263\r\n";
    writeIni(before);
    createForm();
    fillServer(QStringLiteral("10.0.0.5"), QStringLiteral("sa"), GetParam().password);
    boxes.expect(BoxKind::Error, QStringLiteral("错误"),
                 QStringLiteral("密码只能包含U+0001到U+00FF之间的字符，请重新输入密码！"));
    click("Button1");
    EXPECT_EQ(ini(), before.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Password, SettingsSaveUnstorablePassword,
    ::testing::Values(UnstorablePassword{"chinese", QStringLiteral("密码")},
                      UnstorablePassword{"U+0100", QStringLiteral("abc") + QChar(0x0100)},
                      UnstorablePassword{"U+0000", QStringLiteral("a") + QChar(0x0000)}));

TEST_F(SettingsSave, LineBreakIsRefusedBeforeAnythingIsWritten) {
    // An edit field takes a pasted line break; written, it would add a key of its own.
    const QByteArray before = "[Setup]\r\nIP=127.0.0.1\r\nUser=sa\r\n";
    writeIni(before);
    createForm();
    fillServer(QStringLiteral("10.0.0.6"), QStringLiteral("sa\r\nPassword=00"),
               QStringLiteral("a"));
    boxes.expect(BoxKind::Error, QStringLiteral("Scoresetup"),
                 "A line break cannot be written to " + QDir::toNativeSeparators(iniPath()) +
                     " (Setup/User)");
    click("Button1");
    EXPECT_EQ(ini(), before.toStdString());
}

TEST_F(SettingsSave, UnwritableDirectoryIsReported) {
    // Setup.ini's place is taken by a directory, which nobody can replace with a file: unlike
    // a read-only directory it also stops root, which the tests run as.
    ASSERT_TRUE(QDir(programDir()).mkdir(QStringLiteral("Setup.ini")));
    createForm();
    fillServer(QStringLiteral("10.0.0.7"), QStringLiteral("sa"), QStringLiteral("abc"));
    boxes.expect(BoxKind::Error, QStringLiteral("Scoresetup"), unableToWrite());
    click("Button1"); // and no information box
    EXPECT_TRUE(QFileInfo(iniPath()).isDir());
}

TEST_F(SettingsSave, FullDiskKeepsTheKeysWrittenBeforeIt) {
    writeIni("[Setup]\r\nIP=127.0.0.1\r\nUser=sa\r\nPassword=\r\n");
    createForm();
    // The new IP is shorter than the old one and fits; the longer user name does not.
    fillServer(QStringLiteral("10.0.0.8"), QStringLiteral("administrator"), QStringLiteral("abc"));
    boxes.expect(BoxKind::Error, QStringLiteral("Scoresetup"), unableToWrite());
    {
        const FileSizeLimit nearlyFull(static_cast<rlim_t>(readIni().size()));
        ASSERT_TRUE(nearlyFull.active());
        click("Button1"); // and no information box
    }
    EXPECT_EQ(ini(), "[Setup]\r\nIP=10.0.0.8\r\nUser=sa\r\nPassword=\r\n");
}

} // namespace
