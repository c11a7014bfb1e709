// How a profile value is read as a 32-bit signed integer.
#pragma once

#include <QStringView>
#include <cstdint>
#include <optional>

// An optional sign, then decimal digits or hexadecimal digits after "0x", "0X" or "$". Nothing
// for any other text, and for a number outside the 32-bit signed range, hexadecimal included
// ("0xFFFFFFFF" is not -1): a value that does not fit is not silently turned into another one.
std::optional<std::int32_t> parseProfileInteger(QStringView text);
