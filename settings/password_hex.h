// The password is kept in Setup.ini as the hexadecimal values of its UTF-16 code units, which
// the scoring clients decode the same way.
#pragma once

#include <QString>

QString PasswordToHex(const QString& password);
// Throws std::runtime_error("''$xy'' is not a valid integer value") for a pair that is not hex.
QString HexToPassword(const QString& stored);
