// The application-level error box: how a failure nobody caught is worded and titled.
#pragma once

#include <QString>

// The failure's text with "." appended unless it already ends in a character at or below ".".
QString applicationErrorText(const QString& failureText);
// The program's file name without directory and from its first "." on; first character kept,
// the rest in lower case ("ScoreSetup.exe" gives "Scoresetup").
QString applicationErrorTitle(const QString& executablePath);
