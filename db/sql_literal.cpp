#include "db/sql_literal.h"

QString SqlText(const QString& value) {
    QString doubled = value;
    doubled.replace(u'\'', QStringLiteral("''"));
    return QStringLiteral("N'") + doubled + u'\'';
}
