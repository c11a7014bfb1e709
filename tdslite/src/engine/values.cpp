#include "values.h"

#include "numeric_text.h"

#include "ast.h"
#include "datetime.h"
#include "errors.h"
#include "unicode.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace tdslite {

namespace {

const char16_t* sourceTypeName(const Literal& value) {
    switch (value.kind) {
    case Literal::Kind::VarChar:
        return u"varchar";
    case Literal::Kind::NVarChar:
        return u"nvarchar";
    case Literal::Kind::Integer:
        return u"int";
    case Literal::Kind::Numeric:
        return u"numeric";
    case Literal::Kind::Binary:
        return u"varbinary";
    case Literal::Kind::DateTime:
        return u"datetime";
    case Literal::Kind::Null:
        break;
    }
    return u"NULL";
}

std::u16string integerTypeName(ColumnType type) {
    switch (type) {
    case ColumnType::SmallInt:
        return u"smallint";
    case ColumnType::TinyInt:
        return u"tinyint";
    case ColumnType::Bit:
        return u"bit";
    default:
        return u"int";
    }
}

// The text a value has when it goes into a character column.
std::u16string asText(const Literal& value) {
    switch (value.kind) {
    case Literal::Kind::VarChar:
    case Literal::Kind::NVarChar:
        return value.text;
    case Literal::Kind::Integer:
        return fromAscii(std::to_string(value.integer));
    case Literal::Kind::Numeric:
        return decimalText(value.numeric);
    case Literal::Kind::DateTime:
        return formatDateTime(value.dateTime);
    case Literal::Kind::Binary: {
        std::u16string text;
        for (std::size_t i = 0; i + 1 < value.bytes.size(); i += 2) {
            text.push_back(static_cast<char16_t>(value.bytes[i] | (value.bytes[i + 1] << 8)));
        }
        return text;
    }
    case Literal::Kind::Null:
        break;
    }
    return {};
}

std::int64_t toInteger(const Literal& value, ColumnType type) {
    std::int64_t result = 0;
    switch (value.kind) {
    case Literal::Kind::Integer:
        result = value.integer;
        break;
    case Literal::Kind::Numeric:
        result = value.numeric.unscaled / pow10(value.numeric.scale);
        break;
    case Literal::Kind::VarChar:
    case Literal::Kind::NVarChar: {
        std::u16string trimmed = trimSpaces(value.text);
        if (type == ColumnType::Bit && (isWord(trimmed, "TRUE") || isWord(trimmed, "FALSE"))) {
            return isWord(trimmed, "TRUE") ? 1 : 0;
        }
        int scale = 0;
        if (!parseNumber(value.text, false, &result, &scale)) {
            throw err::conversion(sourceTypeName(value), value.text, integerTypeName(type));
        }
        break;
    }
    default:
        throw err::operandClash(sourceTypeName(value), integerTypeName(type));
    }
    return result;
}

std::int64_t checkedInteger(const Literal& value, ColumnType type) {
    std::int64_t result = toInteger(value, type);
    switch (type) {
    case ColumnType::Bit:
        return result != 0 ? 1 : 0;
    case ColumnType::TinyInt:
        if (result < 0 || result > 255) {
            throw err::overflowValue(u"tinyint", fromAscii(std::to_string(result)));
        }
        return result;
    case ColumnType::SmallInt:
        if (result < -32768 || result > 32767) {
            throw err::overflowValue(u"smallint", fromAscii(std::to_string(result)));
        }
        return result;
    default:
        if (result < std::numeric_limits<std::int32_t>::min() ||
            result > std::numeric_limits<std::int32_t>::max()) {
            throw err::arithmeticOverflow(u"int");
        }
        return result;
    }
}

std::int64_t toUnscaled(const Literal& value, const Column& column, bool checkPrecision) {
    std::int64_t unscaled = 0;
    int scale = 0;
    switch (value.kind) {
    case Literal::Kind::Integer:
        unscaled = value.integer;
        break;
    case Literal::Kind::Numeric:
        unscaled = value.numeric.unscaled;
        scale = value.numeric.scale;
        break;
    case Literal::Kind::VarChar:
    case Literal::Kind::NVarChar:
        if (!parseNumber(value.text, true, &unscaled, &scale)) {
            throw err::toNumeric(sourceTypeName(value));
        }
        break;
    default:
        throw err::operandClash(sourceTypeName(value), u"numeric");
    }
    int integerDigits = column.precision - column.scale;
    if (checkPrecision && scale < 18) {
        std::int64_t whole = unscaled / pow10(scale);
        if (integerDigits < 18 && std::llabs(whole) >= pow10(integerDigits)) {
            throw err::arithmeticOverflow(u"numeric");
        }
    }
    std::int64_t result = rescale(unscaled, scale, column.scale);
    if (checkPrecision && column.precision < 19 && std::llabs(result) >= pow10(column.precision)) {
        throw err::arithmeticOverflow(u"numeric");
    }
    return result;
}

std::int64_t toDateTime(const Literal& value) {
    switch (value.kind) {
    case Literal::Kind::DateTime:
        return tdslite::toStored(value.dateTime);
    case Literal::Kind::Integer:
        return value.integer * kTicksPerDay;
    case Literal::Kind::VarChar:
    case Literal::Kind::NVarChar: {
        auto parsed = parseDateTime(value.text);
        if (!parsed) {
            throw err::dateConversion();
        }
        return tdslite::toStored(*parsed);
    }
    default:
        throw err::operandClash(sourceTypeName(value), u"datetime");
    }
}

Bytes toImage(const Literal& value) {
    switch (value.kind) {
    case Literal::Kind::Binary:
        return value.bytes;
    case Literal::Kind::VarChar:
        throw err::implicitConversion(u"varchar", u"image");
    default:
        throw err::operandClash(sourceTypeName(value), u"image");
    }
}

} // namespace

Param toStored(const Literal& value, const Column& column, const Collation& collation) {
    if (value.kind == Literal::Kind::Null) {
        return std::monostate{};
    }
    switch (column.type) {
    case ColumnType::NVarChar: {
        std::u16string text = asText(value);
        if (static_cast<int>(text.size()) > column.length) {
            throw err::truncated();
        }
        return toUtf8(text);
    }
    case ColumnType::Char: {
        std::u16string text = collation.codePage->narrow(asText(value));
        auto bytes = static_cast<int>(collation.codePage->byteLength(text));
        if (bytes > column.length) {
            throw err::truncated();
        }
        text.append(static_cast<std::size_t>(column.length - bytes), u' ');
        return toUtf8(text);
    }
    case ColumnType::Text:
        return toUtf8(collation.codePage->narrow(asText(value)));
    case ColumnType::Image:
        return toImage(value);
    case ColumnType::Decimal:
        return toUnscaled(value, column, true);
    case ColumnType::DateTime:
        return toDateTime(value);
    default:
        return checkedInteger(value, column.type);
    }
}

Param toComparable(const Literal& value, const Column& column) {
    if (value.kind == Literal::Kind::Null) {
        return std::monostate{};
    }
    switch (column.type) {
    case ColumnType::NVarChar:
    case ColumnType::Char:
    case ColumnType::Text:
        return toUtf8(asText(value));
    case ColumnType::Image:
        return toImage(value);
    case ColumnType::Decimal:
        return toUnscaled(value, column, false);
    case ColumnType::DateTime:
        return toDateTime(value);
    default:
        return toInteger(value, column.type);
    }
}

std::u16string describeForKey(const Param& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        return fromUtf8(*text);
    }
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        return fromAscii(std::to_string(*integer));
    }
    if (const auto* bytes = std::get_if<Bytes>(&value)) {
        static const char* kHex = "0123456789ABCDEF";
        std::u16string text = u"0x";
        for (std::uint8_t byte : *bytes) {
            text.push_back(static_cast<char16_t>(kHex[byte >> 4]));
            text.push_back(static_cast<char16_t>(kHex[byte & 15]));
        }
        return text;
    }
    return u"NULL";
}

} // namespace tdslite
