#include "settings/profile_integer.h"

#include "settings/hex_digit.h"

#include <limits>

namespace {

QStringView withoutHexPrefix(QStringView text, int& base) {
    base = 10;
    if (text.startsWith(u'$')) {
        base = 16;
        return text.mid(1);
    }
    if (text.startsWith(u"0x") || text.startsWith(u"0X")) {
        base = 16;
        return text.mid(2);
    }
    return text;
}

} // namespace

std::optional<std::int32_t> parseProfileInteger(QStringView text) {
    const bool negative = text.startsWith(u'-');
    if (negative || text.startsWith(u'+'))
        text = text.mid(1);
    int base = 10;
    const QStringView digits = withoutHexPrefix(text, base);
    if (digits.isEmpty())
        return std::nullopt;

    // One past the largest magnitude, so that -2147483648 still fits.
    const std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (const QChar digit : digits) {
        const std::optional<int> value = hexDigitValue(digit);
        if (!value || *value >= base)
            return std::nullopt;
        magnitude = magnitude * base + *value;
        if (magnitude > limit)
            return std::nullopt;
    }
    if (!negative && magnitude == limit)
        return std::nullopt;
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}
