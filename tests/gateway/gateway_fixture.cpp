#include "tests/gateway/gateway_fixture.h"

void GatewayTest::SetUp() {
    server_ = std::make_unique<tdslite::testing::ServerProcess>(serverOptions());
}

void GatewayTest::createScoreTables() {
    exec(serverForm(), QStringLiteral("create database score"));
    exec(catalogForm(),
         QStringLiteral("create table Jobs(sJobNum nvarchar(50) primary key not null,sJobName "
                        "nvarchar(50) not null)\r\n"
                        "create table WkInfo(sWkNums nvarchar(50) primary key not null,sWkName "
                        "nvarchar(50) not null,sWkSex nvarchar(50) not null,sWkJobNum "
                        "nvarchar(50) not null,WkPhoto image)"));
}

void GatewayTest::exec(const QString& connectionString, const QString& sql) {
    SqlGateway other(QStringLiteral("other"));
    other.SetConnectionString(connectionString);
    other.SetSql(sql);
    other.RunStatement();
}

QString GatewayTest::scalar(SqlGateway& on, const QString& sql) {
    on.SetSql(sql);
    on.OpenQuery();
    const QString value = on.FieldByName(on.FieldNames().value(0)).asString();
    on.Close();
    return value;
}
