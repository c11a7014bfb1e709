#include "db/result_field.h"

#include "db/integer_conversion.h"

bool ResultField::isNull() const {
    return !onRow() || buffer_.isNull(currentRow_, column_);
}

QString ResultField::asString() const {
    if (isNull())
        return {};
    if (column().kind == ColumnKind::Binary)
        return QStringLiteral("0x") +
               QString::fromLatin1(buffer_.bytes(currentRow_, column_).toHex().toUpper());
    return buffer_.text(currentRow_, column_);
}

std::int64_t ResultField::asInteger() const {
    if (isNull())
        return 0;
    switch (column().kind) {
    case ColumnKind::Integer:
    case ColumnKind::Number:
        return IntegerFromNumber(asString(), column().typeName);
    case ColumnKind::Binary:
        throw DatabaseError(
            QStringLiteral("Explicit conversion from data type %1 to int is not allowed.")
                .arg(column().typeName));
    case ColumnKind::Text:
        break;
    }
    return IntegerFromText(asString(), column().typeName);
}

// A text column gives its UTF-16 units, as SQL Server converts nvarchar to varbinary.
QByteArray ResultField::asBytes() const {
    if (isNull())
        return {};
    return buffer_.bytes(currentRow_, column_);
}
