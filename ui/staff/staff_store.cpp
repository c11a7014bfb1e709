#include "ui/staff/staff_store.h"

#include "app/globals.h"
#include "db/sql_gateway.h"
#include "ui/staff/staff_statements.h"

QString lookUpPositionNumber(SqlGateway& gateway, const QString& positionName) {
    sSql = staff_sql::positionNamed(positionName);
    gateway.SetSql(sSql);
    gateway.SetConnectionString(sConnStr);
    gateway.OpenQuery();
    // The position may have been deleted since the list was filled.
    return gateway.Eof() ? QString() : gateway.FieldByName(QStringLiteral("sjobnum")).asString();
}

void writePhotoBack(SqlGateway& gateway, const QString& staffNumber, const QByteArray& jpeg) {
    sSql = staff_sql::rowOf(staffNumber);
    gateway.SetSql(sSql);
    gateway.OpenQuery();
    gateway.Edit();
    gateway.SetImageField(QStringLiteral("wkphoto"), jpeg);
    gateway.Post();
}
