#include "db/score_schema.h"

#include "db/sql_literal.h"

#include <QStringList>

namespace {

struct SeedPosition {
    const char16_t* number;
    const char16_t* name;
};

constexpr SeedPosition kSeedPositions[] = {
    {u"001", u"收银员"},
    {u"002", u"网管"},
    {u"003", u"技术员"},
};

QString seedInsert(const SeedPosition& position) {
    return QStringLiteral("  insert into jobs values(") +
           SqlText(QString::fromUtf16(position.number)) + u',' +
           SqlText(QString::fromUtf16(position.name)) + u')';
}

} // namespace

QString scoreInitialisationBatch() {
    QStringList lines{
        QStringLiteral("Begin"),
        QStringLiteral("  create table Jobs(sJobNum nvarchar(50) primary key not null,"
                       "sJobName nvarchar(50) not null)"),
        QStringLiteral("  create table WkInfo(sWkNums nvarchar(50) primary key not null,"
                       "sWkName nvarchar(50) not null,sWkSex nvarchar(50) not null,"
                       "sWkJobNum nvarchar(50) not null,WkPhoto image)"),
        QStringLiteral("  create table Scores(sWkNum nvarchar(50) not null,"
                       "sWkJobNum nvarchar(50) not null,iWkScore decimal(18, 2) not null,"
                       "sClIP nvarchar(50) not null,sMemo TEXT,dtDateTime datetime not null)"),
    };
    for (const SeedPosition& position : kSeedPositions)
        lines << seedInsert(position);
    lines << QStringLiteral("End");
    return lines.join(QStringLiteral("\r\n"));
}
