#include "settings/password_hex.h"

#include "settings/hex_digit.h"

#include <optional>
#include <stdexcept>

namespace {

char16_t decodePair(QStringView pair) {
    const std::optional<int> high = hexDigitValue(pair[0]);
    const std::optional<int> low = hexDigitValue(pair[1]);
    if (!high || !low)
        throw std::runtime_error((QStringLiteral("''$") + pair.toString() +
                                  QStringLiteral("'' is not a valid integer value"))
                                     .toStdString());
    return static_cast<char16_t>(*high * 16 + *low);
}

} // namespace

QString PasswordToHex(const QString& password) {
    QString stored;
    stored.reserve(password.size() * 2);
    for (const QChar unit : password)
        stored += QStringLiteral("%1").arg(unit.unicode(), 2, 16, QChar(u'0')).toUpper();
    return stored;
}

QString HexToPassword(const QString& stored) {
    QString password;
    if (stored.size() % 2 != 0)
        return password;
    password.reserve(stored.size() / 2);
    for (qsizetype at = 0; at < stored.size(); at += 2)
        password += QChar(decodePair(QStringView(stored).mid(at, 2)));
    return password;
}

bool PasswordSurvivesStorage(const QString& password) {
    for (const QChar unit : password)
        if (unit.unicode() < 0x0001 || unit.unicode() > 0x00FF)
            return false;
    return true;
}
