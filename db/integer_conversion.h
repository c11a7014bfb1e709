// Reading a column as an integer the way SQL Server converts it, with its messages.
#pragma once

#include <QString>
#include <cstdint>

// Text columns: optional spaces, an optional sign, digits; blank text is 0. Anything else,
// or a value beyond int, throws DatabaseError worded as SQL Server words it, e.g.
// "Conversion failed when converting the nvarchar value 'x' to data type int."
std::int64_t IntegerFromText(const QString& text, const QString& typeName);

// Number columns as the driver renders them ("42", "-12.50", "1.5e+10"): the fraction is
// cut off, as CONVERT(int, …) does.
std::int64_t IntegerFromNumber(const QString& text, const QString& typeName);
