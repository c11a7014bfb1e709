#include "result_set.h"

#include "wire_values.h"

#include <algorithm>
#include <array>

namespace tdslite::protocol {
namespace {

constexpr std::uint32_t kMaxShortLength = 8000;
constexpr std::uint32_t kTextMaxLength = 0x7FFFFFFF;
constexpr std::uint32_t kNTextMaxLength = 0x7FFFFFFE;
constexpr std::uint16_t kFlagNullable = 0x0001;
constexpr std::uint16_t kFlagUpdatableUnknown = 0x0008;
constexpr std::uint16_t kNullShortLength = 0xFFFF;
constexpr std::size_t kMaxColumnNameChars = 128;

bool isShortText(WireType type) {
    return type == WireType::NVarChar || type == WireType::BigChar;
}

bool isLong(WireType type) {
    return type == WireType::Text || type == WireType::NText || type == WireType::Image;
}

bool hasCollation(WireType type) {
    return type == WireType::NVarChar || type == WireType::BigChar || type == WireType::Text ||
           type == WireType::NText;
}

std::uint8_t integerWidth(ColumnType type) {
    switch (type) {
    case ColumnType::Int:
        return 4;
    case ColumnType::SmallInt:
        return 2;
    default:
        return 1;
    }
}

std::string columnLabel(const Column& column) {
    std::string label;
    for (char16_t unit : column.name) {
        label.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
    }
    return label;
}

} // namespace

std::vector<WireColumn> ResultSetEncoder::plan(const std::vector<Column>& columns,
                                               const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        if (row.size() != columns.size()) {
            throw EncodingError("a row has " + std::to_string(row.size()) + " values for " +
                                std::to_string(columns.size()) + " columns");
        }
    }
    std::vector<WireColumn> wire;
    wire.reserve(columns.size());
    for (std::size_t i = 0; i < columns.size(); ++i) {
        wire.push_back(planColumn(columns[i], rows, i));
    }
    return wire;
}

// The longest value in wire bytes, for the text types whose declared length must hold it.
std::size_t ResultSetEncoder::longestValue(const Column& column, const std::vector<Row>& rows,
                                           std::size_t index) {
    std::size_t longest = 0;
    for (const Row& row : rows) {
        const auto* text = std::get_if<std::u16string>(&row[index]);
        if (text == nullptr) {
            continue;
        }
        if (column.type == ColumnType::Char) {
            scratch_.clear();
            codePage_.encode(*text, scratch_);
            longest = std::max(longest, scratch_.size());
        } else {
            longest = std::max(longest, text->size() * 2);
        }
    }
    return longest;
}

WireColumn ResultSetEncoder::planColumn(const Column& column, const std::vector<Row>& rows,
                                        std::size_t index) {
    WireColumn wire;
    wire.name = column.name.substr(0, kMaxColumnNameChars);
    wire.nullable = column.nullable;
    for (const Row& row : rows) {
        if (!valueFitsColumn(row[index], column.type)) {
            throw EncodingError("column " + columnLabel(column) + " holds a value of another type");
        }
        wire.nullable = wire.nullable || std::holds_alternative<std::monostate>(row[index]);
    }
    auto declared = static_cast<std::size_t>(std::max(column.length, 0));
    switch (column.type) {
    case ColumnType::NVarChar:
        planNVarChar(wire, declared == 0 ? kMaxShortLength : declared * 2,
                     longestValue(column, rows, index));
        break;
    case ColumnType::Char:
        planChar(wire, std::max<std::size_t>(declared, 1), longestValue(column, rows, index));
        break;
    case ColumnType::Text:
    case ColumnType::Image:
        wire.type = column.type == ColumnType::Text ? WireType::Text : WireType::Image;
        wire.maxLength = kTextMaxLength;
        break;
    case ColumnType::Decimal:
        planDecimal(wire, column, rows, index);
        break;
    case ColumnType::DateTime:
        wire.type = WireType::DateTimeN;
        wire.maxLength = 8;
        break;
    case ColumnType::Bit:
    case ColumnType::Int:
    case ColumnType::SmallInt:
    case ColumnType::TinyInt:
        planInteger(wire, column, rows, index);
        break;
    }
    return wire;
}

void ResultSetEncoder::planNVarChar(WireColumn& wire, std::size_t declaredBytes,
                                    std::size_t longest) {
    if (longest > kMaxShortLength) {
        // Longer than nvarchar(4000) can carry without PLP chunks: ntext carries it.
        wire.type = WireType::NText;
        wire.maxLength = kNTextMaxLength;
        return;
    }
    wire.type = WireType::NVarChar;
    wire.maxLength = static_cast<std::uint32_t>(
        std::min(std::max(declaredBytes, longest), std::size_t{kMaxShortLength}));
}

void ResultSetEncoder::planChar(WireColumn& wire, std::size_t declaredBytes, std::size_t longest) {
    std::size_t bytes = std::max(declaredBytes, longest);
    if (bytes > kMaxShortLength) {
        wire.type = WireType::Text;
        wire.maxLength = kTextMaxLength;
        return;
    }
    wire.type = WireType::BigChar;
    wire.maxLength = static_cast<std::uint32_t>(bytes);
}

void ResultSetEncoder::planDecimal(WireColumn& wire, const Column& column,
                                   const std::vector<Row>& rows, std::size_t index) {
    wire.type = WireType::DecimalN;
    wire.precision =
        static_cast<std::uint8_t>(std::clamp(column.precision == 0 ? 18 : column.precision, 1, 38));
    wire.scale = static_cast<std::uint8_t>(std::clamp(column.scale, 0, int{wire.precision}));
    wire.maxLength = decimalWidth(wire.precision);
    for (const Row& row : rows) {
        if (!decimalFits(row[index], wire.precision, wire.scale)) {
            throw EncodingError("column " + columnLabel(column) +
                                " holds a number wider than its precision");
        }
    }
}

void ResultSetEncoder::planInteger(WireColumn& wire, const Column& column,
                                   const std::vector<Row>& rows, std::size_t index) {
    wire.type = column.type == ColumnType::Bit ? WireType::BitN : WireType::IntN;
    wire.maxLength = integerWidth(column.type);
    for (const Row& row : rows) {
        if (!integerFits(row[index], column.type)) {
            throw EncodingError("column " + columnLabel(column) +
                                " holds a number out of its range");
        }
    }
}

void ResultSetEncoder::writeMetadata(ByteBuffer& out, const std::vector<WireColumn>& columns) {
    ByteWriter writer(out);
    writer.u8(kTokenColMetadata);
    writer.u16le(static_cast<std::uint16_t>(columns.size()));
    for (const WireColumn& column : columns) {
        writer.u32le(0); // user type
        writer.u16le(static_cast<std::uint16_t>((column.nullable ? kFlagNullable : 0) |
                                                kFlagUpdatableUnknown));
        writer.u8(static_cast<std::uint8_t>(column.type));
        if (isLong(column.type)) {
            writer.u32le(column.maxLength);
        } else if (isShortText(column.type)) {
            writer.u16le(static_cast<std::uint16_t>(column.maxLength));
        } else {
            writer.u8(static_cast<std::uint8_t>(column.maxLength));
        }
        if (column.type == WireType::DecimalN) {
            writer.u8(column.precision);
            writer.u8(column.scale);
        }
        if (hasCollation(column.type)) {
            writeCollation(writer, collation_);
        }
        if (isLong(column.type)) {
            writer.u8(0); // no table name parts: the engine does not say which table
        }
        writer.u8(static_cast<std::uint8_t>(column.name.size()));
        writer.ucs2(column.name);
    }
}

void ResultSetEncoder::writeRow(ByteBuffer& out, const std::vector<WireColumn>& columns,
                                const Row& row, ByteSink* direct) {
    direct_ = direct;
    out.push_back(kTokenRow);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (isLong(columns[i].type)) {
            writeLongValue(out, columns[i], row[i]);
        } else {
            ByteWriter writer(out);
            writeValue(writer, columns[i], row[i]);
        }
    }
    direct_ = nullptr;
}

void ResultSetEncoder::writeValue(ByteWriter& writer, const WireColumn& column,
                                  const Value& value) {
    bool isNull = std::holds_alternative<std::monostate>(value);
    if (isShortText(column.type)) {
        if (isNull) {
            writer.u16le(kNullShortLength);
            return;
        }
        const auto& text = std::get<std::u16string>(value);
        if (column.type == WireType::NVarChar) {
            writer.u16le(static_cast<std::uint16_t>(text.size() * 2));
            writer.ucs2(text);
        } else {
            scratch_.clear();
            codePage_.encode(text, scratch_);
            writer.u16le(static_cast<std::uint16_t>(scratch_.size()));
            writer.bytes(scratch_);
        }
        return;
    }
    if (isNull) {
        writer.u8(0);
        return;
    }
    switch (column.type) {
    case WireType::IntN:
    case WireType::BitN:
        writeInteger(writer, std::get<std::int64_t>(value),
                     static_cast<std::uint8_t>(column.maxLength));
        break;
    case WireType::DecimalN:
        writeDecimal(writer, value, column.precision, column.scale);
        break;
    case WireType::DateTimeN:
        writeDateTime(writer, std::get<DateTime>(value));
        break;
    default:
        break;
    }
}

void ResultSetEncoder::writeLongValue(ByteBuffer& out, const WireColumn& column,
                                      const Value& value) {
    ByteWriter writer(out);
    if (std::holds_alternative<std::monostate>(value)) {
        writer.u8(0); // no text pointer: NULL
        return;
    }
    writer.u8(16);
    writer.zeros(16); // text pointer: never used, nothing here updates through it
    writer.zeros(8);  // timestamp
    if (column.type == WireType::Image) {
        const auto& bytes = std::get<Bytes>(value);
        writer.u32le(static_cast<std::uint32_t>(bytes.size()));
        putLongData(out, bytes);
        return;
    }
    const auto& text = std::get<std::u16string>(value);
    if (column.type == WireType::NText) {
        writer.u32le(static_cast<std::uint32_t>(text.size() * 2));
        writer.ucs2(text);
        return;
    }
    scratch_.clear();
    codePage_.encode(text, scratch_);
    writer.u32le(static_cast<std::uint32_t>(scratch_.size()));
    putLongData(out, scratch_);
}

void ResultSetEncoder::putLongData(ByteBuffer& out, std::span<const std::uint8_t> data) {
    constexpr std::size_t kDirectBytes = 4096;
    if (direct_ == nullptr || data.size() < kDirectBytes) {
        out.insert(out.end(), data.begin(), data.end());
        return;
    }
    direct_->put(out);
    out.clear();
    direct_->put(data);
}

} // namespace tdslite::protocol
