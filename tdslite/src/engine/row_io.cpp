#include "row_io.h"

#include "datetime.h"
#include "unicode.h"

namespace tdslite {

void bindParam(sqlite3_stmt* statement, int index, const Param& value) {
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        sqlite3_bind_int64(statement, index, *integer);
    } else if (const auto* text = std::get_if<std::string>(&value)) {
        sqlite3_bind_text64(statement, index, text->data(), text->size(), SQLITE_TRANSIENT,
                            SQLITE_UTF8);
    } else if (const auto* bytes = std::get_if<Bytes>(&value)) {
        // An empty value is not NULL: without a data pointer SQLite would store NULL.
        if (bytes->empty())
            sqlite3_bind_zeroblob(statement, index, 0);
        else
            sqlite3_bind_blob64(statement, index, bytes->data(), bytes->size(), SQLITE_TRANSIENT);
    } else {
        sqlite3_bind_null(statement, index);
    }
}

void bindSlots(sqlite3_stmt* statement, const std::vector<ParamSlot>& slots,
               const ConstantContext& context) {
    for (std::size_t i = 0; i < slots.size(); ++i) {
        Literal value = evaluate(*slots[i].expr, context);
        Param param =
            slots[i].compareAs ? toComparable(value, *slots[i].compareAs) : literalParam(value);
        bindParam(statement, static_cast<int>(i + 1), param);
    }
}

Value readValue(sqlite3_stmt* statement, int index, const Column& column) {
    int type = sqlite3_column_type(statement, index);
    if (type == SQLITE_NULL) {
        return std::monostate{};
    }
    switch (column.type) {
    case ColumnType::NVarChar:
    case ColumnType::Char:
    case ColumnType::Text: {
        const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(statement, index));
        auto size = static_cast<std::size_t>(sqlite3_column_bytes(statement, index));
        return fromUtf8({data, size});
    }
    case ColumnType::Image: {
        const auto* data = static_cast<const std::uint8_t*>(sqlite3_column_blob(statement, index));
        auto size = static_cast<std::size_t>(sqlite3_column_bytes(statement, index));
        return Bytes(data, data + size);
    }
    case ColumnType::Decimal:
        return Decimal{sqlite3_column_int64(statement, index), column.scale};
    case ColumnType::DateTime:
        return fromStored(sqlite3_column_int64(statement, index));
    default:
        return static_cast<std::int64_t>(sqlite3_column_int64(statement, index));
    }
}

} // namespace tdslite
