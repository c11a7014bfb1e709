// The statements behind edit/post: which table a result came from, its primary key, and the
// update that stores an image column back into the row.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

struct TableName {
    QStringList parts; // [database.][schema.]table, without quotes
    QString table() const { return parts.back(); }
};

// The table of "select … from <table> [alias] [where …|order by …|…]"; nothing for a join,
// a list of tables, a derived table or a union.
std::optional<TableName> SingleTableOf(const QString& sql);

// A name as T-SQL takes it: as it is when it is a plain identifier, else in brackets.
QString SqlName(const QString& name);
QString SqlName(const TableName& name);

// The table's primary-key columns in key order, from the standard catalogue views.
QString PrimaryKeyQuery(const TableName& name);

struct KeyValue {
    QString column;
    QString value;
};
QString ImageUpdateStatement(const TableName& name, const QString& column, const QByteArray& bytes,
                             const QList<KeyValue>& key);
