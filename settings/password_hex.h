// The password is kept in Setup.ini as the hexadecimal values of its UTF-16 code units, which
// the scoring clients decode the same way.
#pragma once

#include <QString>

QString PasswordToHex(const QString& password);
// Throws std::runtime_error("''$xy'' is not a valid integer value") for a pair that is not hex.
QString HexToPassword(const QString& stored);

// Only code units from U+0001 to U+00FF encode to exactly two digits; anything else comes back
// from HexToPassword as different characters, so such a password must not be saved.
bool PasswordSurvivesStorage(const QString& password);
