// The statements the staff panel sends. Every value the administrator typed or picked goes in
// through SqlText; only the sex index, a number the program makes itself, goes in bare.
#pragma once

#include <QString>

namespace staff_sql {

QString listWithPositions();
QString rowOf(const QString& staffNumber);
QString positionNamed(const QString& positionName);
QString insertRow(const QString& staffNumber, const QString& name, int sex,
                  const QString& positionNumber);
QString updateRow(const QString& staffNumber, const QString& name, int sex,
                  const QString& positionNumber);
QString deleteRow(const QString& staffNumber, const QString& name);
QString deleteScoresOf(const QString& staffNumber);

} // namespace staff_sql
