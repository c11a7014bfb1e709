// Checks and encoders for the fixed-width values of a row: integers, decimals, datetimes.
#pragma once

#include "byte_writer.h"
#include "engine.h"

#include <cstdint>
#include <optional>

namespace tdslite::protocol {

bool valueFitsColumn(const Value& value, ColumnType type);
bool integerFits(const Value& value, ColumnType type);

// Bytes of a DECIMALN value of this precision, sign byte included.
std::uint8_t decimalWidth(std::uint8_t precision);
bool decimalFits(const Value& value, std::uint8_t precision, std::uint8_t scale);

struct ScaledMagnitude {
    bool negative = false;
    std::uint64_t magnitude = 0;
};
// The value as an unscaled number of the column's scale; nothing when it overflows.
std::optional<ScaledMagnitude> scaleDecimal(const Value& value, std::uint8_t scale);

// A length byte and the value, little-endian.
void writeInteger(ByteWriter& writer, std::int64_t value, std::uint8_t width);
void writeDecimal(ByteWriter& writer, const Value& value, std::uint8_t precision,
                  std::uint8_t scale);
void writeDateTime(ByteWriter& writer, DateTime value);

} // namespace tdslite::protocol
