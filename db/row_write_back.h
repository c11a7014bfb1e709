// Post: the current row's changed image columns stored back into its table by primary key.
#pragma once

#include "db/odbc_connection.h"
#include "db/open_result.h"

#include <QByteArray>
#include <QString>
#include <vector>

struct PendingImage {
    int column;
    QByteArray bytes;
};

// Throws DatabaseError (worded with `componentName` where the failure is the gateway's own);
// on success the result shows the new bytes.
void WriteImagesBack(const OdbcConnection& connection, const QString& selectSql, OpenResult& result,
                     const std::vector<PendingImage>& images, const QString& componentName);
