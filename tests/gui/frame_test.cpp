// The window as it stands at start-up: every control where the form puts it.
#include "app/globals.h"
#include "settings/profile_file.h"
#include "tests/support/form_fixture.h"
#include "ui/widgets/picture_box.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace {

enum class Kind { GroupBox, Label, Edit, Button, DropDown, ListView, Picture };

struct ControlRow {
    const char* name;
    Kind kind;
    const char* parent;
    QRect place;
    const char* caption;
    bool enabled;
    bool visible = true;
};

// Positions are relative to the parent; the group boxes' to the client area.
const ControlRow kControls[] = {
    {"GroupBox1", Kind::GroupBox, "Form1", {8, 8, 257, 305}, "SQL服务器设置", true},
    {"GroupBox2", Kind::GroupBox, "Form1", {271, 8, 210, 559}, "职务维护", false},
    {"GroupBox3", Kind::GroupBox, "Form1", {487, 8, 299, 559}, "人员维护", false},
    {"GroupBox4", Kind::GroupBox, "Form1", {8, 320, 257, 129}, "皮肤选择", true},
    {"GroupBox5", Kind::GroupBox, "Form1", {8, 456, 257, 113}, "查询统计", true},

    {"Label1", Kind::Label, "GroupBox1", {16, 24, 50, 13}, "服务器IP:", true},
    {"Label2", Kind::Label, "GroupBox1", {16, 56, 40, 13}, "用户名:", true},
    {"Label3", Kind::Label, "GroupBox1", {16, 88, 28, 13}, "密码:", true},
    {"Edit1", Kind::Edit, "GroupBox1", {72, 21, 169, 21}, "127.0.0.1", true},
    {"Edit2", Kind::Edit, "GroupBox1", {72, 53, 169, 21}, "sa", true},
    {"Edit3", Kind::Edit, "GroupBox1", {72, 85, 169, 21}, "", true},
    {"Button1", Kind::Button, "GroupBox1", {28, 128, 89, 33}, "保存配置", true},
    {"Button2", Kind::Button, "GroupBox1", {140, 128, 89, 33}, "连接服务器", true},
    {"Button3", Kind::Button, "GroupBox1", {28, 167, 89, 33}, "建立数据库", false},
    {"Button4", Kind::Button, "GroupBox1", {140, 167, 89, 33}, "删除数据库", false},
    {"Button5", Kind::Button, "GroupBox1", {28, 206, 201, 33}, "初始化数据库以便于维护", false},
    {"Button6", Kind::Button, "GroupBox1", {28, 245, 89, 33}, "职务维护", false},
    {"Button7", Kind::Button, "GroupBox1", {140, 245, 89, 33}, "人员维护", false},

    {"Button8", Kind::Button, "GroupBox2", {17, 24, 81, 33}, "刷  新", true},
    {"Button9", Kind::Button, "GroupBox2", {112, 24, 81, 33}, "添  加", true},
    {"Button10", Kind::Button, "GroupBox2", {16, 63, 81, 33}, "删  除", false},
    {"Button11", Kind::Button, "GroupBox2", {112, 63, 81, 33}, "修  改", false},
    {"ListView1", Kind::ListView, "GroupBox2", {16, 102, 177, 203}, "", true},
    {"Label4", Kind::Label, "GroupBox2", {16, 328, 52, 13}, "职务编号:", true},
    {"Edit4", Kind::Edit, "GroupBox2", {74, 324, 119, 21}, "", false},
    {"Label5", Kind::Label, "GroupBox2", {16, 360, 52, 13}, "职务名称:", true},
    {"Edit5", Kind::Edit, "GroupBox2", {74, 356, 119, 21}, "", false},
    {"Button12", Kind::Button, "GroupBox2", {16, 392, 81, 33}, "保存添加", false},
    {"Button13", Kind::Button, "GroupBox2", {112, 392, 81, 33}, "保存修改", false},
    {"Button14", Kind::Button, "GroupBox2", {16, 431, 177, 33}, "取消保存", false},

    {"Button15", Kind::Button, "GroupBox3", {19, 24, 61, 33}, "刷  新", true},
    {"Button16", Kind::Button, "GroupBox3", {86, 24, 61, 33}, "添  加", true},
    {"Button17", Kind::Button, "GroupBox3", {153, 24, 61, 33}, "删  除", false},
    {"Button18", Kind::Button, "GroupBox3", {220, 24, 61, 33}, "修  改", false},
    {"ListView2", Kind::ListView, "GroupBox3", {10, 63, 278, 278}, "", true},
    {"Label6", Kind::Label, "GroupBox3", {18, 360, 28, 13}, "工号:", true},
    {"Edit6", Kind::Edit, "GroupBox3", {52, 356, 89, 21}, "", false},
    {"Label7", Kind::Label, "GroupBox3", {18, 387, 28, 13}, "姓名:", true},
    {"Edit7", Kind::Edit, "GroupBox3", {52, 383, 89, 21}, "", false},
    {"Label8", Kind::Label, "GroupBox3", {18, 414, 28, 13}, "性别:", true},
    {"ComboBox2", Kind::DropDown, "GroupBox3", {52, 410, 93, 21}, "", false},
    {"Label9", Kind::Label, "GroupBox3", {18, 441, 28, 13}, "职务:", true},
    {"ComboBox3", Kind::DropDown, "GroupBox3", {52, 437, 93, 21}, "", false},
    {"Image1", Kind::Picture, "GroupBox3", {184, 356, 74, 98}, "", true},
    {"Button19", Kind::Button, "GroupBox3", {19, 472, 105, 33}, "保存添加", false},
    {"Button20", Kind::Button, "GroupBox3", {183, 472, 105, 33}, "保存修改", false},
    {"Button21", Kind::Button, "GroupBox3", {19, 511, 105, 33}, "照片更换", false},
    {"Button22", Kind::Button, "GroupBox3", {183, 511, 105, 33}, "取消保存", false},

    {"ComboBox1", Kind::DropDown, "GroupBox4", {16, 88, 225, 21}, "", true, false},
    {"Button23", Kind::Button, "GroupBox4", {16, 24, 101, 41}, "显示皮肤选择", true},
    {"Button24", Kind::Button, "GroupBox4", {140, 24, 101, 41}, "隐藏皮肤选择", true},

    {"Button25", Kind::Button, "GroupBox5", {16, 28, 225, 73}, "统计员工评分", true},
};

bool isKind(QWidget* control, Kind kind) {
    switch (kind) {
    case Kind::GroupBox:
        return qobject_cast<QGroupBox*>(control);
    case Kind::Label:
        return qobject_cast<QLabel*>(control) && !qobject_cast<PictureBox*>(control);
    case Kind::Edit:
        return qobject_cast<QLineEdit*>(control);
    case Kind::Button:
        return qobject_cast<QPushButton*>(control);
    case Kind::DropDown:
        return qobject_cast<QComboBox*>(control) &&
               !qobject_cast<QComboBox*>(control)->isEditable();
    case Kind::ListView:
        return qobject_cast<QTreeWidget*>(control);
    case Kind::Picture:
        return qobject_cast<PictureBox*>(control);
    }
    return false;
}

QString captionOf(QWidget* control) {
    if (auto* box = qobject_cast<QGroupBox*>(control))
        return box->title();
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return edit->text();
    if (auto* button = qobject_cast<QPushButton*>(control))
        return button->text();
    return {};
}

// The order Tab walks the focusable controls.
const char* const kTabOrder[] = {
    "Edit1",     "Edit2",    "Edit3",    "Button1",   "Button2",   "Button3",   "Button4",
    "Button5",   "Button6",  "Button7",  "Button8",   "Button9",   "Button10",  "Button11",
    "ListView1", "Edit4",    "Edit5",    "Button12",  "Button13",  "Button14",  "Button15",
    "Button16",  "Button17", "Button18", "ListView2", "Edit6",     "Edit7",     "Button19",
    "Button20",  "Button21", "Button22", "ComboBox2", "ComboBox3", "ComboBox1", "Button23",
    "Button24",  "Button25"};

class FrameTest : public FormTest {};

} // namespace

TEST_F(FrameTest, EveryControlHasItsNameKindPlaceCaptionAndStartState) {
    TForm1& window = createForm();
    for (const ControlRow& row : kControls) {
        SCOPED_TRACE(row.name);
        QWidget* control = widget(row.name);
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(isKind(control, row.kind));
        ASSERT_NE(control->parentWidget(), nullptr);
        EXPECT_EQ(control->parentWidget()->objectName(), QString::fromLatin1(row.parent));
        EXPECT_EQ(control->geometry(), row.place);
        EXPECT_EQ(captionOf(control), QString::fromUtf8(row.caption));
        EXPECT_EQ(control->isEnabledTo(control->parentWidget()), row.enabled);
        EXPECT_EQ(control->isVisibleTo(&window), row.visible);
    }
}

TEST_F(FrameTest, TabWalksTheControlsInFormOrder) {
    TForm1& window = createForm();
    QStringList expected;
    for (const char* name : kTabOrder)
        expected << QString::fromLatin1(name);
    QStringList walked;
    QWidget* current = window.nextInFocusChain();
    for (int steps = 0; current != &window && steps < 500; ++steps) {
        if (expected.contains(current->objectName()) && !walked.contains(current->objectName()))
            walked << current->objectName();
        current = current->nextInFocusChain();
    }
    EXPECT_EQ(walked, expected);
}

TEST_F(FrameTest, FrameIsFixedCentredAndCaptioned) {
    TForm1& window = createForm();
    EXPECT_EQ(window.objectName(), QStringLiteral("Form1"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("评分系统设置"));
    EXPECT_EQ(window.size(), QSize(794, 575));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(window.isWindow());
    EXPECT_FALSE(window.windowIcon().isNull());
    EXPECT_EQ(window.font().pixelSize(), 11);
    EXPECT_EQ(window.font().families().value(0), QStringLiteral("Tahoma"));
}

TEST_F(FrameTest, ControlsCarryTheirSpecialProperties) {
    createForm();
    EXPECT_EQ(control<QLineEdit>("Edit3")->echoMode(), QLineEdit::Password);
    EXPECT_EQ(control<QLineEdit>("Edit4")->maxLength(), 3);
    EXPECT_EQ(control<QLineEdit>("Edit6")->maxLength(), 3);

    const QFont heavy = control<QPushButton>("Button25")->font();
    EXPECT_EQ(heavy.pixelSize(), 32);
    EXPECT_EQ(heavy.families().value(0), QStringLiteral("黑体"));

    auto* positions = control<QTreeWidget>("ListView1");
    EXPECT_EQ(positions->headerItem()->text(0), QStringLiteral("职务编号"));
    EXPECT_EQ(positions->headerItem()->text(1), QStringLiteral("职务名称"));
    EXPECT_EQ(positions->columnWidth(0), 80);
    EXPECT_EQ(positions->columnWidth(1), 80);

    auto* staff = control<QTreeWidget>("ListView2");
    const QStringList staffColumns{QStringLiteral("工号"), QStringLiteral("姓名"),
                                   QStringLiteral("性别"), QStringLiteral("职务"),
                                   QStringLiteral("照片")};
    const int staffWidths[] = {40, 60, 40, 60, 40};
    ASSERT_EQ(staff->columnCount(), 5);
    for (int column = 0; column < 5; ++column) {
        EXPECT_EQ(staff->headerItem()->text(column), staffColumns[column]);
        EXPECT_EQ(staff->columnWidth(column), staffWidths[column]);
    }
    for (auto* list : {positions, staff}) {
        EXPECT_FALSE(list->rootIsDecorated());
        EXPECT_FALSE(list->isSortingEnabled());
        EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
        EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
        EXPECT_EQ(list->editTriggers(), QAbstractItemView::NoEditTriggers);
    }
    EXPECT_TRUE(control<QLabel>("Image1")->hasScaledContents());
}

TEST_F(FrameTest, DisabledGroupBoxDisablesItsContents) {
    createForm();
    // Button8 is enabled in itself but sits in the disabled position panel.
    EXPECT_FALSE(enabled("Button8"));
    EXPECT_FALSE(enabled("ListView1"));
    EXPECT_FALSE(enabled("Button15"));
    widget("GroupBox2")->setEnabled(true);
    EXPECT_TRUE(enabled("Button8"));
    EXPECT_FALSE(enabled("Button10"));
}

TEST_F(FrameTest, StartsWithTheDefaultServerWhenThereIsNoSetupIni) {
    createForm();
    EXPECT_EQ(text("Edit1"), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(text("Edit2"), QStringLiteral("sa"));
    EXPECT_EQ(text("Edit3"), QString());
    EXPECT_EQ(items("ComboBox2"), (QStringList{QStringLiteral("男"), QStringLiteral("女")}));
    EXPECT_EQ(selectedIndex("ComboBox2"), -1);
    EXPECT_EQ(selectedIndex("ComboBox3"), -1);
}

TEST_F(FrameTest, ClosesWithoutAskingAnything) {
    TForm1& window = createForm();
    EXPECT_TRUE(window.FormCloseQuery());
    EXPECT_TRUE(window.close());
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(FrameTest, SettingsFileLivesUntilTheWindowIsDestroyed) {
    TForm1& window = createForm();
    // A log-off that is asked about and then cancelled must still find the settings file.
    EXPECT_TRUE(window.FormCloseQuery());
    window.close();
    ASSERT_TRUE(IniFile);
    EXPECT_EQ(IniFile->path(), sIniFile);
    EXPECT_TRUE(readIni().isEmpty()) << "closing wrote the settings";
}

TEST(FrameOnItsOwn, SetupIniIsFoundBesideAnExecutableWhosePathIsNotAscii) {
    QTemporaryDir root;
    const QString programDir = root.filePath(QStringLiteral("评分 系统/设置"));
    ASSERT_TRUE(QDir().mkpath(programDir));
    QFile ini(programDir + QStringLiteral("/Setup.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Setup]\r\nIP=10.1.2.3\r\nUser=管理员\r\n");
    ini.close();

    ScriptedBoxes boxes;
    ScriptedFileDialog files;
    ScriptedProcesses processes;
    {
        TForm1 window(
            Platform{&boxes, &files, &processes, programDir + QStringLiteral("/ScoreSetup")});
        EXPECT_EQ(sAppPath, QDir::toNativeSeparators(programDir) + QDir::separator());
        EXPECT_EQ(sIniFile, sAppPath + QStringLiteral("Setup.ini"));
        EXPECT_EQ(window.Edit1->text(), QStringLiteral("10.1.2.3"));
        EXPECT_EQ(window.Edit2->text(), QStringLiteral("管理员"));
    }
    EXPECT_FALSE(IniFile) << "the settings file outlived the window";
}
