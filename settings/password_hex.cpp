#include "settings/password_hex.h"

QString PasswordToHex(const QString&) { return {}; }
QString HexToPassword(const QString&) { return {}; }
