// Decimal numbers as text: T-SQL's literal and string forms of numbers.
#pragma once

#include "engine.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tdslite {

std::int64_t pow10(int exponent);
std::u16string decimalText(Decimal value);
std::u16string trimSpaces(std::u16string_view text);
// Digits with an optional sign and point; false on anything else or more than 18 digits.
bool parseNumber(std::u16string_view text, bool allowPoint, std::int64_t* unscaled, int* scale);
// Rounds half away from zero, as SQL Server does when a value loses decimal places.
std::int64_t rescale(std::int64_t unscaled, int from, int to);

} // namespace tdslite
