// The statistics button: checks that the score database is complete, then starts the
// separate statistics program. Nothing here is caught: a database failure is shown with its
// own text by the application-level handler.
#include "app/globals.h"
#include "app/tform1.h"

namespace {

const QString kScoreDatabaseQuery =
    QStringLiteral("select * from master.dbo.sysdatabases where name='score '");
const QString kScoreTablesQuery = QStringLiteral(
    "select * from score.dbo.sysobjects where name='Jobs' or name='Scores' or name='WkInfo'");
const QString kStatisticsCommand = QStringLiteral("Report.exe /sys");
constexpr int kScoreTableCount = 3;

} // namespace

void TForm1::Button25Click() {
    sConnStr = serverConnStr();
    sSql = kScoreDatabaseQuery;
    // The connection string first: a result left open under the other form must stop us here.
    qrySql.SetConnectionString(sConnStr);
    qrySql.SetSql(sSql);
    qrySql.OpenQuery();
    if (qrySql.Eof()) {
        box(BoxKind::Error, QStringLiteral("错误"),
            QStringLiteral("服务器上还没有评分数据库，请先建立数据库并初始化！"));
        qrySql.Close();
        return;
    }

    sSql = kScoreTablesQuery;
    qrySql.Close();
    qrySql.SetConnectionString(sConnStr);
    qrySql.SetSql(sSql);
    qrySql.OpenQuery();
    if (qrySql.Eof()) {
        box(BoxKind::Warning, QStringLiteral("运行错误"),
            QStringLiteral("评分数据库存在，但是相关的表不存在，请初始化数据库！\r\n\r\n"
                           "同时数据库中所有数据将丢失！\r\n\r\n"
                           "如果初始化失败则请删除数据库再重建和初始化数据库！"));
        qrySql.Close();
        return;
    }
    if (qrySql.RowCount() != kScoreTableCount) {
        box(BoxKind::Warning, QStringLiteral("错误提示"),
            QStringLiteral(
                "评分数据库存在，但相关的表不全，请删除数据库再重建及初始化以便于使用！"));
        qrySql.Close();
        return;
    }

    box(BoxKind::Information, QStringLiteral("提示信息"),
        QStringLiteral(
            "数据库信息完整，如果在使用查询的过程当中出现报错，请删除数据库并重建及初始化"
            "以便于使用！\r\n\r\n点击“确定”运行统计程序！"));
    qrySql.Close();
    // Said out loud: otherwise the administrator waits for a window that never comes.
    if (!platform_.processes->start(kStatisticsCommand, sAppPath))
        box(BoxKind::Error, QStringLiteral("错误"),
            QStringLiteral("无法启动统计程序Report.exe，请将其放在本程序所在目录中！"));
}
