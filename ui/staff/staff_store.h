// The two multi-step trips to the database that adding and modifying staff share.
#pragma once

#include <QByteArray>
#include <QString>

class SqlGateway;

// The number of the first position the server returns with this name; empty when none has it.
QString lookUpPositionNumber(SqlGateway& gateway, const QString& positionName);

// Stores the photo's own bytes into the staff row; the result stays open for the caller's
// next statement to close.
void writePhotoBack(SqlGateway& gateway, const QString& staffNumber, const QByteArray& jpeg);
