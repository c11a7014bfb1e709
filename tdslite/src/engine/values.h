// Constant values of a statement and their conversion to a column's type, with SQL Server's
// conversion rules and errors.
#pragma once

#include "collation.h"
#include "engine.h"

#include <cstdint>
#include <string>
#include <variant>

namespace tdslite {

struct Expr;

// A constant as T-SQL types it before any conversion.
struct Literal {
    enum class Kind {
        Null,
        VarChar,
        NVarChar,
        Integer,
        Numeric,
        Binary,
        DateTime
    } kind = Kind::Null;
    std::u16string text; // VarChar (already through the code page) and NVarChar
    std::int64_t integer = 0;
    Decimal numeric;   // Numeric
    int precision = 0; // Numeric
    Bytes bytes;       // Binary
    DateTime dateTime; // DateTime
};

// What SQLite is given for a parameter: NULL, an integer, UTF-8 text or a blob.
using Param = std::variant<std::monostate, std::int64_t, std::string, Bytes>;

// What the constant functions and @@ variables need to know about the session.
struct ConstantContext {
    const Collation* collation = nullptr;
    std::u16string database;
    std::u16string login;
    int spid = 0;
    std::int64_t lastRowCount = 0;
    int lastError = 0;
    DateTime now;
};

bool isConstant(const Expr& expr);
// Throws SqlError (whole batch) for an unknown function or variable.
void checkConstant(const Expr& expr);
Literal evaluate(const Expr& expr, const ConstantContext& context);
// The column a constant gives in a select list (name empty).
Column literalColumn(const Literal& value);
Param literalParam(const Literal& value);

// A value to be stored in a column: length, range and NOT NULL are checked, char padded.
Param toStored(const Literal& value, const Column& column, const Collation& collation);
// A value to be compared with a column: converted to its type, never checked for length.
Param toComparable(const Literal& value, const Column& column);

std::u16string describeForKey(const Param& value);

} // namespace tdslite
