// SQL Server's datetime: parsing, formatting and the integer it is stored as.
#pragma once

#include "engine.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tdslite {

inline constexpr std::int64_t kTicksPerDay = 300LL * 86400;

// Stored as ticks since 1900-01-01 so that order and equality match SQL Server's.
std::int64_t toStored(DateTime value);
DateTime fromStored(std::int64_t stored);

DateTime localNow();
// The literal forms SQL Server reads whatever the language: ISO dates with or without dashes,
// slashes, an optional time with milliseconds, or a time alone.
std::optional<DateTime> parseDateTime(std::u16string_view text);
// The default style SQL Server uses when a datetime becomes text: "Dec 10 2026  1:50PM".
std::u16string formatDateTime(DateTime value);

} // namespace tdslite
