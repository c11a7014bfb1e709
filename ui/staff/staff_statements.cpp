#include "ui/staff/staff_statements.h"

#include "db/sql_literal.h"

namespace staff_sql {

QString listWithPositions() {
    return QStringLiteral(
        "select * from (wkinfo inner join jobs on wkinfo.swkjobnum=jobs.sjobnum)");
}

QString rowOf(const QString& staffNumber) {
    return QStringLiteral("select * from wkinfo where swknums=") + SqlText(staffNumber);
}

QString positionNamed(const QString& positionName) {
    return QStringLiteral("select * from jobs where sjobname=") + SqlText(positionName);
}

QString insertRow(const QString& staffNumber, const QString& name, int sex,
                  const QString& positionNumber) {
    return QStringLiteral("insert into wkinfo(swknums,swkname,swksex,swkjobnum) values(") +
           SqlText(staffNumber) + u',' + SqlText(name) + u',' + QString::number(sex) + u',' +
           SqlText(positionNumber) + u')';
}

QString updateRow(const QString& staffNumber, const QString& name, int sex,
                  const QString& positionNumber) {
    return QStringLiteral("update wkinfo set swkname=") + SqlText(name) +
           QStringLiteral(",swksex=") + QString::number(sex) + QStringLiteral(",swkjobnum=") +
           SqlText(positionNumber) + QStringLiteral(" where swknums=") + SqlText(staffNumber);
}

QString deleteRow(const QString& staffNumber, const QString& name) {
    return QStringLiteral("delete from wkinfo where swknums=") + SqlText(staffNumber) +
           QStringLiteral(" and swkname=") + SqlText(name);
}

QString deleteScoresOf(const QString& staffNumber) {
    return QStringLiteral("delete from scores where swknum=") + SqlText(staffNumber);
}

} // namespace staff_sql
