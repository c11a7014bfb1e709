// One hexadecimal digit, ASCII only: full-width and other Unicode digits are not digits here.
#pragma once

#include <QChar>
#include <optional>

inline std::optional<int> hexDigitValue(QChar digit) {
    const char16_t unit = digit.unicode();
    if (unit >= u'0' && unit <= u'9')
        return unit - u'0';
    if (unit >= u'a' && unit <= u'f')
        return unit - u'a' + 10;
    if (unit >= u'A' && unit <= u'F')
        return unit - u'A' + 10;
    return std::nullopt;
}
