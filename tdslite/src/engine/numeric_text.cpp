#include "numeric_text.h"

#include "unicode.h"

#include <algorithm>
#include <cstdlib>

namespace tdslite {

std::int64_t pow10(int exponent) {
    std::int64_t value = 1;
    for (int i = 0; i < exponent; ++i) {
        value *= 10;
    }
    return value;
}

std::u16string decimalText(Decimal value) {
    bool negative = value.unscaled < 0;
    std::string digits = std::to_string(negative ? -value.unscaled : value.unscaled);
    auto scale = static_cast<std::size_t>(std::max(value.scale, 0));
    if (scale > 0) {
        if (digits.size() <= scale) {
            digits = std::string(scale + 1 - digits.size(), '0') + digits;
        }
        std::size_t point = digits.size() - scale;
        digits = digits.substr(0, point) + "." + digits.substr(point);
    }
    return fromAscii((negative ? "-" : "") + digits);
}

std::u16string trimSpaces(std::u16string_view text) {
    std::size_t start = text.find_first_not_of(u' ');
    if (start == std::u16string_view::npos) {
        return {};
    }
    std::size_t end = text.find_last_not_of(u' ');
    return std::u16string(text.substr(start, end - start + 1));
}

bool parseNumber(std::u16string_view text, bool allowPoint, std::int64_t* unscaled, int* scale) {
    std::u16string trimmed = trimSpaces(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < trimmed.size() && (trimmed[i] == u'-' || trimmed[i] == u'+')) {
        negative = trimmed[i] == u'-';
        ++i;
    }
    std::int64_t value = 0;
    int digits = 0;
    int fraction = -1;
    for (; i < trimmed.size(); ++i) {
        char16_t c = trimmed[i];
        if (c == u'.' && allowPoint && fraction < 0) {
            fraction = 0;
            continue;
        }
        if (c < u'0' || c > u'9' || ++digits > 18) {
            return false;
        }
        value = value * 10 + (c - u'0');
        if (fraction >= 0) {
            ++fraction;
        }
    }
    if (digits == 0) {
        return false;
    }
    *unscaled = negative ? -value : value;
    *scale = std::max(fraction, 0);
    return true;
}

std::int64_t rescale(std::int64_t unscaled, int from, int to) {
    if (to >= from) {
        return unscaled * pow10(to - from);
    }
    std::int64_t divisor = pow10(from - to);
    std::int64_t quotient = unscaled / divisor;
    std::int64_t remainder = unscaled % divisor;
    if (std::llabs(remainder) * 2 >= divisor) {
        quotient += unscaled < 0 ? -1 : 1;
    }
    return quotient;
}

} // namespace tdslite
