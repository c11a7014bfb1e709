#include "db/row_write_back.h"

#include "db/database_error.h"
#include "db/odbc_batch.h"
#include "db/write_back_sql.h"

namespace {

[[noreturn]] void cannot(const QString& componentName, const QString& why) {
    throw DatabaseError(componentName + QStringLiteral(": ") + why);
}

TableName tableOf(const QString& selectSql, const QString& componentName) {
    const std::optional<TableName> table = SingleTableOf(selectSql);
    if (!table)
        cannot(componentName,
               QStringLiteral("Cannot write back a result that does not come from one table"));
    return *table;
}

QList<KeyValue> keyOfCurrentRow(const OdbcConnection& connection, const TableName& table,
                                const OpenResult& result, const QString& componentName) {
    OpenResult keys(QueryBatch(connection, PrimaryKeyQuery(table)));
    QList<KeyValue> key;
    for (; !keys.eof(); keys.next()) {
        const QString name = keys.text(0);
        const int column = result.columnIndex(name);
        if (column < 0)
            cannot(componentName, QStringLiteral("Key column '%1' is not in the result").arg(name));
        key << KeyValue{name, result.text(column)};
    }
    if (key.isEmpty())
        cannot(componentName,
               QStringLiteral("Table '%1' has no primary key to write back by").arg(table.table()));
    return key;
}

} // namespace

void WriteImagesBack(const OdbcConnection& connection, const QString& selectSql, OpenResult& result,
                     const std::vector<PendingImage>& images, const QString& componentName) {
    if (images.empty())
        return;
    const TableName table = tableOf(selectSql, componentName);
    const QList<KeyValue> key = keyOfCurrentRow(connection, table, result, componentName);
    for (const PendingImage& image : images) {
        const BatchOutcome outcome =
            RunBatch(connection, ImageUpdateStatement(table, result.columnName(image.column),
                                                      image.bytes, key));
        if (outcome.firstError)
            throw DatabaseError(*outcome.firstError);
        if (outcome.rowsChanged == 0)
            cannot(componentName, QStringLiteral("The row to write back is no longer in table '%1'")
                                      .arg(table.table()));
        result.replace(image.column, image.bytes);
    }
}
