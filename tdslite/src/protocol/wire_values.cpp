#include "wire_values.h"

#include <limits>

namespace tdslite::protocol {
namespace {

constexpr std::uint64_t kMaxMagnitude = std::numeric_limits<std::uint64_t>::max();

std::optional<std::uint64_t> powerOfTen(int exponent) {
    std::uint64_t power = 1;
    for (int i = 0; i < exponent; ++i) {
        if (power > kMaxMagnitude / 10) {
            return std::nullopt;
        }
        power *= 10;
    }
    return power;
}

std::uint64_t magnitudeOf(std::int64_t value) {
    // Negating the most negative int64 overflows; go through unsigned arithmetic instead.
    return value < 0 ? ~static_cast<std::uint64_t>(value) + 1 : static_cast<std::uint64_t>(value);
}

std::optional<std::uint64_t> rescale(std::uint64_t magnitude, int fromScale, int toScale) {
    for (; fromScale < toScale; ++fromScale) {
        if (magnitude > kMaxMagnitude / 10) {
            return std::nullopt;
        }
        magnitude *= 10;
    }
    for (; fromScale > toScale; --fromScale) {
        bool roundUp = magnitude % 10 >= 5 && fromScale == toScale + 1;
        magnitude = magnitude / 10 + (roundUp ? 1 : 0);
    }
    return magnitude;
}

} // namespace

bool valueFitsColumn(const Value& value, ColumnType type) {
    if (std::holds_alternative<std::monostate>(value)) {
        return true;
    }
    switch (type) {
    case ColumnType::NVarChar:
    case ColumnType::Char:
    case ColumnType::Text:
        return std::holds_alternative<std::u16string>(value);
    case ColumnType::Image:
        return std::holds_alternative<Bytes>(value);
    case ColumnType::Decimal:
        return std::holds_alternative<Decimal>(value) ||
               std::holds_alternative<std::int64_t>(value);
    case ColumnType::DateTime:
        return std::holds_alternative<DateTime>(value);
    case ColumnType::Int:
    case ColumnType::SmallInt:
    case ColumnType::TinyInt:
    case ColumnType::Bit:
        return std::holds_alternative<std::int64_t>(value);
    }
    return false;
}

bool integerFits(const Value& value, ColumnType type) {
    const auto* number = std::get_if<std::int64_t>(&value);
    if (number == nullptr) {
        return true;
    }
    switch (type) {
    case ColumnType::Int:
        return *number >= std::numeric_limits<std::int32_t>::min() &&
               *number <= std::numeric_limits<std::int32_t>::max();
    case ColumnType::SmallInt:
        return *number >= std::numeric_limits<std::int16_t>::min() &&
               *number <= std::numeric_limits<std::int16_t>::max();
    case ColumnType::TinyInt:
        return *number >= 0 && *number <= 255;
    case ColumnType::Bit:
        return *number == 0 || *number == 1;
    default:
        return true;
    }
}

std::uint8_t decimalWidth(std::uint8_t precision) {
    if (precision <= 9) {
        return 5;
    }
    if (precision <= 19) {
        return 9;
    }
    return precision <= 28 ? 13 : 17;
}

std::optional<ScaledMagnitude> scaleDecimal(const Value& value, std::uint8_t scale) {
    std::int64_t unscaled = 0;
    int valueScale = 0;
    if (const auto* decimal = std::get_if<Decimal>(&value)) {
        unscaled = decimal->unscaled;
        valueScale = decimal->scale;
    } else if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        unscaled = *integer;
    } else {
        return std::nullopt;
    }
    auto magnitude = rescale(magnitudeOf(unscaled), valueScale, scale);
    if (!magnitude) {
        return std::nullopt;
    }
    return ScaledMagnitude{unscaled < 0, *magnitude};
}

bool decimalFits(const Value& value, std::uint8_t precision, std::uint8_t scale) {
    if (std::holds_alternative<std::monostate>(value)) {
        return true;
    }
    auto scaled = scaleDecimal(value, scale);
    if (!scaled) {
        return false;
    }
    auto limit = powerOfTen(precision);
    return !limit || scaled->magnitude < *limit;
}

void writeInteger(ByteWriter& writer, std::int64_t value, std::uint8_t width) {
    writer.u8(width);
    auto bits = static_cast<std::uint64_t>(value);
    for (std::uint8_t i = 0; i < width; ++i) {
        writer.u8(static_cast<std::uint8_t>(bits >> (8 * i)));
    }
}

void writeDecimal(ByteWriter& writer, const Value& value, std::uint8_t precision,
                  std::uint8_t scale) {
    auto scaled = scaleDecimal(value, scale).value_or(ScaledMagnitude{});
    std::uint8_t width = decimalWidth(precision);
    writer.u8(width);
    writer.u8(scaled.negative ? 0 : 1);
    for (std::uint8_t i = 0; i + 1 < width; ++i) {
        writer.u8(i < 8 ? static_cast<std::uint8_t>(scaled.magnitude >> (8 * i)) : 0);
    }
}

void writeDateTime(ByteWriter& writer, DateTime value) {
    writer.u8(8);
    writer.u32le(static_cast<std::uint32_t>(value.days));
    writer.u32le(value.ticks);
}

} // namespace tdslite::protocol
