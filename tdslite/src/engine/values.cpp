#include "values.h"

#include "ast.h"
#include "datetime.h"
#include "errors.h"
#include "unicode.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace tdslite {

namespace {

constexpr const char16_t* kVersion =
    u"Microsoft SQL Server 2022 (RTM) - 16.0.1000.6 (X64) \n\ttdslite, a SQL Server stand-in "
    u"for development and tests\n";

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

// Digits with an optional sign and point; false on anything else or too many digits.
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

// Rounds half away from zero, as SQL Server does when a value loses decimal places.
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

Bytes parseHex(std::u16string_view digits) {
    auto nibble = [](char16_t c) -> std::uint8_t {
        if (c >= u'0' && c <= u'9') {
            return static_cast<std::uint8_t>(c - u'0');
        }
        if (c >= u'a' && c <= u'f') {
            return static_cast<std::uint8_t>(c - u'a' + 10);
        }
        return static_cast<std::uint8_t>(c - u'A' + 10);
    };
    Bytes bytes;
    bytes.reserve(digits.size() / 2 + 1);
    std::size_t i = 0;
    if (digits.size() % 2 == 1) {
        bytes.push_back(nibble(digits[0]));
        i = 1;
    }
    for (; i < digits.size(); i += 2) {
        bytes.push_back(static_cast<std::uint8_t>(nibble(digits[i]) << 4 | nibble(digits[i + 1])));
    }
    return bytes;
}

Literal numberLiteral(const std::u16string& text) {
    Literal value;
    std::int64_t unscaled = 0;
    int scale = 0;
    if (!parseNumber(text, true, &unscaled, &scale)) {
        throw err::arithmeticOverflow(u"numeric");
    }
    if (text.find(u'.') == std::u16string::npos) {
        value.kind = Literal::Kind::Integer;
        value.integer = unscaled;
        return value;
    }
    value.kind = Literal::Kind::Numeric;
    value.numeric = {unscaled, scale};
    std::string digits = std::to_string(std::llabs(unscaled));
    value.precision = std::max(static_cast<int>(digits.size()), scale + 1);
    return value;
}

Literal textLiteral(Literal::Kind kind, std::u16string text) {
    Literal value;
    value.kind = kind;
    value.text = std::move(text);
    return value;
}

Literal integerLiteral(std::int64_t integer) {
    Literal value;
    value.kind = Literal::Kind::Integer;
    value.integer = integer;
    return value;
}

const char* kVariables[] = {
    "@@VERSION",          "@@SPID",        "@@SERVERNAME", "@@LANGUAGE",      "@@TRANCOUNT",
    "@@ROWCOUNT",         "@@ERROR",       "@@IDENTITY",   "@@MAX_PRECISION", "@@TEXTSIZE",
    "@@MICROSOFTVERSION", "@@SERVICENAME", "@@OPTIONS",    "@@DATEFIRST"};
const char* kFunctions[] = {"GETDATE",   "CURRENT_TIMESTAMP", "DB_NAME",
                            "USER_NAME", "SUSER_SNAME",       "SUSER_NAME"};

bool knownName(std::u16string_view name, const char* const* begin, const char* const* end) {
    return std::any_of(begin, end, [&](const char* known) { return isWord(name, known); });
}

Literal variable(const std::u16string& name, const ConstantContext& context) {
    if (isWord(name, "@@VERSION")) {
        return textLiteral(Literal::Kind::NVarChar, kVersion);
    }
    if (isWord(name, "@@SPID")) {
        return integerLiteral(context.spid);
    }
    if (isWord(name, "@@SERVERNAME") || isWord(name, "@@SERVICENAME")) {
        return textLiteral(Literal::Kind::NVarChar,
                           isWord(name, "@@SERVERNAME") ? u"TDSLITE" : u"MSSQLSERVER");
    }
    if (isWord(name, "@@LANGUAGE")) {
        return textLiteral(Literal::Kind::NVarChar, u"us_english");
    }
    if (isWord(name, "@@ROWCOUNT")) {
        return integerLiteral(context.lastRowCount);
    }
    if (isWord(name, "@@ERROR")) {
        return integerLiteral(context.lastError);
    }
    if (isWord(name, "@@IDENTITY")) {
        return {};
    }
    if (isWord(name, "@@MAX_PRECISION")) {
        return integerLiteral(38);
    }
    if (isWord(name, "@@TEXTSIZE")) {
        return integerLiteral(2147483647);
    }
    if (isWord(name, "@@MICROSOFTVERSION")) {
        return integerLiteral(0x100003E8);
    }
    if (isWord(name, "@@DATEFIRST")) {
        return integerLiteral(7);
    }
    return integerLiteral(0);
}

Literal function(const Expr& expr, const ConstantContext& context) {
    const std::u16string& name = expr.text;
    if (isWord(name, "GETDATE") || isWord(name, "CURRENT_TIMESTAMP")) {
        Literal value;
        value.kind = Literal::Kind::DateTime;
        value.dateTime = context.now;
        return value;
    }
    if (isWord(name, "DB_NAME")) {
        return textLiteral(Literal::Kind::NVarChar, context.database);
    }
    if (isWord(name, "USER_NAME")) {
        return textLiteral(Literal::Kind::NVarChar, u"dbo");
    }
    return textLiteral(Literal::Kind::NVarChar, context.login);
}

} // namespace

bool isConstant(const Expr& expr) {
    switch (expr.kind) {
    case ExprKind::Null:
    case ExprKind::String:
    case ExprKind::NString:
    case ExprKind::Number:
    case ExprKind::Binary:
    case ExprKind::Variable:
        return true;
    case ExprKind::Function:
        return !isWord(expr.text, "COUNT");
    default:
        return false;
    }
}

void checkConstant(const Expr& expr) {
    if (expr.kind == ExprKind::Variable &&
        !knownName(expr.text, std::begin(kVariables), std::end(kVariables))) {
        throw err::undeclaredVariable(expr.text);
    }
    if (expr.kind == ExprKind::Function &&
        (!knownName(expr.text, std::begin(kFunctions), std::end(kFunctions)) ||
         !expr.args.empty() || expr.star)) {
        throw err::unknownFunction(expr.text);
    }
}

Literal evaluate(const Expr& expr, const ConstantContext& context) {
    switch (expr.kind) {
    case ExprKind::String:
        return textLiteral(Literal::Kind::VarChar, context.collation->codePage->narrow(expr.text));
    case ExprKind::NString:
        return textLiteral(Literal::Kind::NVarChar, expr.text);
    case ExprKind::Number:
        return numberLiteral(expr.text);
    case ExprKind::Binary: {
        Literal value;
        value.kind = Literal::Kind::Binary;
        value.bytes = parseHex(expr.text);
        return value;
    }
    case ExprKind::Variable:
        return variable(expr.text, context);
    case ExprKind::Function:
        return function(expr, context);
    default:
        return {};
    }
}

Column literalColumn(const Literal& value) {
    Column column;
    column.nullable = false;
    switch (value.kind) {
    case Literal::Kind::Null:
        column.type = ColumnType::Int;
        column.nullable = true;
        break;
    case Literal::Kind::VarChar:
    case Literal::Kind::NVarChar:
        column.type = ColumnType::NVarChar;
        column.length = std::max<int>(1, static_cast<int>(value.text.size()));
        break;
    case Literal::Kind::Integer:
        if (value.integer >= std::numeric_limits<std::int32_t>::min() &&
            value.integer <= std::numeric_limits<std::int32_t>::max()) {
            column.type = ColumnType::Int;
        } else {
            column.type = ColumnType::Decimal;
            column.precision = 18;
        }
        break;
    case Literal::Kind::Numeric:
        column.type = ColumnType::Decimal;
        column.precision = value.precision;
        column.scale = value.numeric.scale;
        break;
    case Literal::Kind::Binary:
        column.type = ColumnType::Image;
        break;
    case Literal::Kind::DateTime:
        column.type = ColumnType::DateTime;
        break;
    }
    return column;
}

Param literalParam(const Literal& value) {
    switch (value.kind) {
    case Literal::Kind::VarChar:
    case Literal::Kind::NVarChar:
        return toUtf8(value.text);
    case Literal::Kind::Integer:
        return value.integer;
    case Literal::Kind::Numeric:
        return value.numeric.unscaled;
    case Literal::Kind::Binary:
        return value.bytes;
    case Literal::Kind::DateTime:
        return tdslite::toStored(value.dateTime);
    case Literal::Kind::Null:
        break;
    }
    return std::monostate{};
}

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
