#include "tests/dbgui/positions_fixture.h"

#include "db/sql_literal.h"

#include <QTreeWidget>
#include <algorithm>
#include <ostream>

namespace position_text {

QString added(const QString& jobName) {
    return QStringLiteral("添加职务 “") + jobName + QStringLiteral("” 成功！");
}

QString addFailed(const QString& jobName) {
    return QStringLiteral("添加职务 “") + jobName +
           QStringLiteral("” 失败！不能添加重复的职务编号！\r\n\r\n"
                          "同时请检查登录数据库服务器的用户名是否有修改数据库的权限！");
}

QString renameNotFound(const QString& jobNum) {
    return QStringLiteral("没有找到职务编号为:") + jobNum +
           QStringLiteral("的职务，职务名称没有修改！");
}

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

QString nothingDeleted(const QString& jobNum, const QString& jobName) {
    return QStringLiteral("没有找到职务编号为:") + jobNum + QStringLiteral("，职务名称为:") +
           jobName + QStringLiteral("的职务，没有删除任何数据！");
}

} // namespace position_text

void PrintTo(const PanelState& state, std::ostream* out) {
    const auto flag = [](bool on) { return on ? 'E' : 'D'; };
    *out << "Edit4 \"" << state.edit4.toStdString() << "\" " << flag(state.edit4Enabled)
         << ", Edit5 \"" << state.edit5.toStdString() << "\" " << flag(state.edit5Enabled)
         << ", Button9..14 ";
    for (bool on : state.buttons)
        *out << flag(on);
}

const QList<QStringList> PositionPanelTest::kSeedRows{
    {QStringLiteral("001"), QStringLiteral("收银员")},
    {QStringLiteral("002"), QStringLiteral("网管")},
    {QStringLiteral("003"), QStringLiteral("技术员")},
};

void PositionPanelTest::openPanel(const QString& user, const QString& password) {
    createScoreDatabase();
    createConnectedForm(user, password);
    boxes.expect(BoxKind::Information, position_text::kPrompt, position_text::kOpened);
    click("Button6");
    boxes.verifyAllShown();
}

void PositionPanelTest::expectNoStaffWarning() {
    boxes.expect(BoxKind::Warning, position_text::kPrompt, position_text::kNoStaff);
}

void PositionPanelTest::startRename(int row) {
    pickPosition(row);
    boxes.expect(BoxKind::Warning, position_text::kRenameTitle, position_text::kRenameOnlyName);
    click("Button11");
}

void PositionPanelTest::startAdd(const QString& jobNum, const QString& jobName) {
    click("Button9");
    type("Edit4", jobNum);
    type("Edit5", jobName);
}

PanelState PositionPanelTest::panelState() {
    PanelState state{text("Edit4"), text("Edit5"), enabled("Edit4"), enabled("Edit5")};
    const char* const buttons[] = {"Button9",  "Button10", "Button11",
                                   "Button12", "Button13", "Button14"};
    for (int i = 0; i < 6; ++i)
        state.buttons[i] = enabled(buttons[i]);
    return state;
}

QList<QStringList> PositionPanelTest::positions() {
    auto found = query(QStringLiteral("select sJobNum, sJobName from Jobs"));
    std::sort(found.begin(), found.end());
    return found;
}

namespace {

QStringList firstColumn(const QList<QStringList>& found) {
    QStringList values;
    for (const QStringList& row : found)
        values << row.value(0);
    values.sort();
    return values;
}

} // namespace

QStringList PositionPanelTest::staffNumbers() {
    return firstColumn(query(QStringLiteral("select sWkNums from WkInfo")));
}

QStringList PositionPanelTest::scoredStaffNumbers() {
    return firstColumn(query(QStringLiteral("select sWkNum from Scores")));
}

void PositionPanelTest::addStaff(const QString& wkNum, const QString& jobNum) {
    exec(QStringLiteral("insert into WkInfo values(") + SqlText(wkNum) +
         QStringLiteral(",N'张三',0,") + SqlText(jobNum) + QStringLiteral(",NULL)"));
}

void PositionPanelTest::addScore(const QString& wkNum, const QString& jobNum) {
    exec(QStringLiteral("insert into Scores values(") + SqlText(wkNum) + u',' + SqlText(jobNum) +
         QStringLiteral(",90.5,N'127.0.0.1',NULL,'2026-01-01T08:00:00')"));
}

bool PositionPanelTest::listHasSelection() {
    auto* list = form().findChild<QTreeWidget*>(QStringLiteral("ListView1"));
    return list && !list->selectedItems().isEmpty();
}
