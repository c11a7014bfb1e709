// The position panel opened on a fresh score database, the boxes its actions bring, and the
// staff and score rows that hang on a position, made behind the window's back.
#pragma once

#include "tests/support/database_fixture.h"

#include <QList>
#include <QString>
#include <QStringList>

// The panel's own words, as the administrator reads them.
namespace position_text {

inline const QString kPrompt = QStringLiteral("提示");
inline const QString kError = QStringLiteral("错误");
inline const QString kQuestion = QStringLiteral("询问");
inline const QString kOpened = QStringLiteral("现在可以对职务进行维护了！");
inline const QString kNoPositions = QStringLiteral("没有职务记录，请添加！");
inline const QString kNoStaff = QStringLiteral("没有工作人员信息，请先添加！");
inline const QString kAddIncomplete = QStringLiteral("请先填写职务编号和职务名称！");
inline const QString kRenameUnpicked = QStringLiteral("请先选择要修改的职务！");
inline const QString kRenameTitle = QStringLiteral("提示信息");
inline const QString kRenameOnlyName =
    QStringLiteral("修改职务数据只能修改职务名称，如果要修改职务编号，请将该职务删除再重新添加！");
inline const QString kRenameEmpty = QStringLiteral("职务名称不能为空，请先填写再修改！");
inline const QString kRenamed = QStringLiteral("职务名称修改成功！");
inline const QString kRenameFailed =
    QStringLiteral("修改职务名称失败，请检查登录数据库服务器的用户名是否有修改数据库的权限！");
inline const QString kDeleteUnpicked = QStringLiteral("请先选择要删除的职务！");
inline const QString kDependentsDeleted =
    QStringLiteral("成功从人员数据和评分数据中删除该职务的所有数据！");
inline const QString kDeleteFailed =
    QStringLiteral("删除数据失败，请检查连接数据库的登录名是否有删除数据的权限！");

QString added(const QString& jobName);
QString addFailed(const QString& jobName);
QString renameNotFound(const QString& jobNum);
QString deleteQuestion(const QString& jobNum, const QString& jobName);
QString dependentsQuestion(const QString& jobNum, const QString& jobName);
QString nothingDeleted(const QString& jobNum, const QString& jobName);

} // namespace position_text

// What the panel's fields and buttons show: Edit4, Edit5, then Button9 … Button14 enabled.
struct PanelState {
    QString edit4;
    QString edit5;
    bool edit4Enabled = false;
    bool edit5Enabled = false;
    bool buttons[6] = {}; // Button9 … Button14
    bool operator==(const PanelState&) const = default;
};
void PrintTo(const PanelState& state, std::ostream* out);

// Public steps, so that tables of cases can drive the panel.
class PositionPanelTest : public DatabaseFormTest {
public:
    static const QList<QStringList> kSeedRows;

    // A window connected as `user`, with the panel opened on the seeded score database.
    void openPanel(const QString& user = QStringLiteral("sa"), const QString& password = QString());
    // Every change reloads the staff list, which finds nobody listed.
    void expectNoStaffWarning();
    void pickPosition(int row) { pickRow("ListView1", row); }
    // "修  改" on the picked row, with its reminder that only the name changes.
    void startRename(int row);
    // "添  加" with both fields typed.
    void startAdd(const QString& jobNum, const QString& jobName);

    PanelState panelState();
    // Jobs, WkInfo and Scores as the server has them, sorted.
    QList<QStringList> positions();
    QStringList staffNumbers();
    QStringList scoredStaffNumbers();
    void addStaff(const QString& wkNum, const QString& jobNum);
    void addScore(const QString& wkNum, const QString& jobNum);
    bool listHasSelection();

    using DatabaseFormTest::createConnectedForm;
    using DatabaseFormTest::createScoreDatabase;
    using DatabaseFormTest::exec;
    using DatabaseFormTest::query;
    using FormTest::boxes;
    using FormTest::click;
    using FormTest::clickEmptySpace;
    using FormTest::enabled;
    using FormTest::items;
    using FormTest::rows;
    using FormTest::selectedIndex;
    using FormTest::text;
    using FormTest::type;
};
