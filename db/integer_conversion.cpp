#include "db/integer_conversion.h"

#include "db/database_error.h"

#include <cmath>
#include <limits>

namespace {

[[noreturn]] void conversionFailed(const QString& text, const QString& typeName) {
    throw DatabaseError(
        QStringLiteral("Conversion failed when converting the %1 value '%2' to data type int.")
            .arg(typeName, text));
}

[[noreturn]] void overflowed(const QString& text, const QString& typeName) {
    throw DatabaseError(
        QStringLiteral("The conversion of the %1 value '%2' overflowed an int column.")
            .arg(typeName, text));
}

bool allDigits(QStringView digits) {
    for (QChar digit : digits) {
        if (digit < u'0' || digit > u'9')
            return false;
    }
    return !digits.isEmpty();
}

QStringView withoutSpaces(const QString& text) {
    QStringView view(text);
    while (!view.isEmpty() && view.front() == u' ')
        view = view.mid(1);
    while (!view.isEmpty() && view.back() == u' ')
        view.chop(1);
    return view;
}

} // namespace

std::int64_t IntegerFromText(const QString& text, const QString& typeName) {
    const QStringView number = withoutSpaces(text);
    if (number.isEmpty())
        return 0;
    const bool signedNumber = number.front() == u'+' || number.front() == u'-';
    const QStringView digits = signedNumber ? number.mid(1) : number;
    if (!allDigits(digits))
        conversionFailed(text, typeName);
    bool fits = false;
    const qlonglong value = number.toLongLong(&fits);
    if (!fits || value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        overflowed(text, typeName);
    return value;
}

std::int64_t IntegerFromNumber(const QString& text, const QString& typeName) {
    bool isWhole = false;
    const qlonglong whole = text.toLongLong(&isWhole);
    if (isWhole)
        return whole;
    bool isNumber = false;
    const double value = std::trunc(text.toDouble(&isNumber));
    if (!isNumber)
        conversionFailed(text, typeName);
    if (!(value >= -9223372036854775808.0 && value < 9223372036854775808.0))
        throw DatabaseError(
            QStringLiteral("Arithmetic overflow error converting %1 to data type bigint.")
                .arg(typeName));
    return static_cast<std::int64_t>(value);
}
