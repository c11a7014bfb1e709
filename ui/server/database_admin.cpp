// Create, drop and initialise the score database. Each shows only its own fixed message on
// failure: the server's own text would mean little to the administrator here.
#include "app/globals.h"
#include "app/tform1.h"
#include "db/score_schema.h"

#include <exception>

namespace {

const QString kErrorTitle = QStringLiteral("错误提示");

} // namespace

void TForm1::Button3Click() {
    try {
        sConnStr = serverConnStr();
        sSql = QStringLiteral("create database score");
        qrySql.SetConnectionString(sConnStr);
        qrySql.SetSql(sSql);
        qrySql.RunStatement();
        box(BoxKind::Information, QStringLiteral("提示"), QStringLiteral("建立数据库成功！"));
    } catch (const std::exception&) {
        box(BoxKind::Error, kErrorTitle,
            QStringLiteral(
                "建立数据库失败，请检查服务器上是否存在数据库score并且数据库中是否存在数据"
                "以及是否对SQL数据库有操作权限!"));
    }
}

void TForm1::Button4Click() {
    if (box(BoxKind::Question, QStringLiteral("确定删除数据库"),
            QStringLiteral("确定要删除数据库吗？\r\n\r\n删除数据库将丢失所有原数据！")) ==
        Answer::No)
        return;
    try {
        sConnStr = serverConnStr();
        sSql = QStringLiteral("drop database score");
        qrySql.SetConnectionString(sConnStr);
        qrySql.SetSql(sSql);
        qrySql.RunStatement();
        box(BoxKind::Warning, QStringLiteral("提示"),
            QStringLiteral("删除数据库成功！所有原数据全部丢失，需要重新配置！"));
    } catch (const std::exception&) {
        box(BoxKind::Error, kErrorTitle,
            QStringLiteral(
                "删除数据库出错，请检查服务器上是否存在数据库score以及对SQL服务器是否有操作"
                "权限!"));
    }
}

void TForm1::Button5Click() {
    try {
        sConnStr = catalogConnStr();
        sSql = scoreInitialisationBatch();
        qrySql.SetConnectionString(sConnStr);
        qrySql.SetSql(sSql);
        qrySql.RunStatement();
        box(BoxKind::Information, QStringLiteral("提示"), QStringLiteral("初始化数据库成功！"));
    } catch (const std::exception&) {
        box(BoxKind::Error, kErrorTitle,
            QStringLiteral(
                "初始化数据库失败！请检查数据库是否存在，以及数据库中是否存在表Scores，Jobs，"
                "WkInfo!同时确定对SQL服务器是否有操作权限！"));
    }
}
