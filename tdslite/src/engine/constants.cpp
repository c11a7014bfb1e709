// The constants of a statement: literals, the @@ variables and the session functions.
#include "values.h"

#include "ast.h"
#include "datetime.h"
#include "errors.h"
#include "numeric_text.h"
#include "unicode.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace tdslite {

namespace {

constexpr const char16_t* kVersion =
    u"Microsoft SQL Server 2022 (RTM) - 16.0.1000.6 (X64) \n\ttdslite, a SQL Server stand-in "
    u"for development and tests\n";

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

} // namespace tdslite
