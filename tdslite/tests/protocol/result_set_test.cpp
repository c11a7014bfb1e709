// Every column type the engine knows, with a value and with NULL, in the bytes SQL Server
// sends for it: TYPE_INFO in the column metadata, and the value in the row.
#include "result_set.h"

#include <gtest/gtest.h>

namespace tdslite::protocol {
namespace {

using B = ByteBuffer;

const B kChineseCollation{0x04, 0x08, 0xD0, 0x00, 0x00};
const B kLatinCollation{0x09, 0x04, 0xD0, 0x00, 0x34};

B concat(std::initializer_list<B> parts) {
    B all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

B textPointerAndLength(std::uint8_t length) {
    B bytes{16};
    bytes.insert(bytes.end(), 24, 0);
    bytes.insert(bytes.end(), {length, 0, 0, 0});
    return bytes;
}

struct EncodedColumn {
    B typeInfo;
    B value;
};

EncodedColumn encodeOne(const Column& column, const Value& value, bool latin = false) {
    CodePageEncoder codePage(latin ? "CP1252" : "GBK");
    CollationBytes collation =
        latin ? CollationBytes{0x00D00409, 0x34} : CollationBytes{0x00D00804, 0};
    ResultSetEncoder encoder(codePage, collation);
    std::vector<Row> rows{Row{value}};
    auto wire = encoder.plan({column}, rows);
    B metadata;
    encoder.writeMetadata(metadata, wire);
    B row;
    encoder.writeRow(row, wire, rows[0]);
    // token, count, user type, flags | TYPE_INFO | name length, name "c"
    B typeInfo(metadata.begin() + 9, metadata.end() - 3);
    return {typeInfo, B(row.begin() + 1, row.end())};
}

Column col(ColumnType type, int length = 0, int precision = 0, int scale = 0) {
    return Column{u"c", type, length, precision, scale, true};
}

struct WireCase {
    const char* what;
    Column column;
    Value value;
    B typeInfo;
    B valueBytes;
    bool latin = false;
};

TEST(ResultSetTest, EachColumnTypeTravelsAsSqlServerSendsIt) {
    const WireCase cases[] = {
        {"nvarchar(50)",
         col(ColumnType::NVarChar, 50),
         std::u16string(u"a收"),
         concat({{0xE7, 100, 0}, kChineseCollation}),
         {4, 0, 'a', 0, 0x36, 0x65}},
        {"nvarchar NULL",
         col(ColumnType::NVarChar, 50),
         std::monostate{},
         concat({{0xE7, 100, 0}, kChineseCollation}),
         {0xFF, 0xFF}},
        {"char(4) in GBK",
         col(ColumnType::Char, 4),
         std::u16string(u"收a"),
         concat({{0xAF, 4, 0}, kChineseCollation}),
         {3, 0, 0xCA, 0xD5, 'a'}},
        {"char(4) in CP1252 loses Chinese",
         col(ColumnType::Char, 4),
         std::u16string(u"é收"),
         concat({{0xAF, 4, 0}, kLatinCollation}),
         {2, 0, 0xE9, '?'},
         true},
        {"text in GBK", col(ColumnType::Text), std::u16string(u"收银员"),
         concat({{0x23, 0xFF, 0xFF, 0xFF, 0x7F}, kChineseCollation, {0}}),
         concat({textPointerAndLength(6), {0xCA, 0xD5, 0xD2, 0xF8, 0xD4, 0xB1}})},
        {"text NULL",
         col(ColumnType::Text),
         std::monostate{},
         concat({{0x23, 0xFF, 0xFF, 0xFF, 0x7F}, kChineseCollation, {0}}),
         {0}},
        {"image",
         col(ColumnType::Image),
         Bytes{0xFF, 0xD8, 0x00},
         {0x22, 0xFF, 0xFF, 0xFF, 0x7F, 0},
         concat({textPointerAndLength(3), {0xFF, 0xD8, 0x00}})},
        {"image empty, which is not NULL",
         col(ColumnType::Image),
         Bytes{},
         {0x22, 0xFF, 0xFF, 0xFF, 0x7F, 0},
         textPointerAndLength(0)},
        {"image NULL",
         col(ColumnType::Image),
         std::monostate{},
         {0x22, 0xFF, 0xFF, 0xFF, 0x7F, 0},
         {0}},
        {"decimal(18,2)",
         col(ColumnType::Decimal, 0, 18, 2),
         Decimal{1250, 2},
         {0x6A, 9, 18, 2},
         {9, 1, 0xE2, 0x04, 0, 0, 0, 0, 0, 0}},
        {"decimal rescaled and negative",
         col(ColumnType::Decimal, 0, 18, 2),
         Decimal{-125, 1},
         {0x6A, 9, 18, 2},
         {9, 0, 0xE2, 0x04, 0, 0, 0, 0, 0, 0}},
        {"decimal(5,0) from an integer",
         col(ColumnType::Decimal, 0, 5, 0),
         std::int64_t{7},
         {0x6A, 5, 5, 0},
         {5, 1, 7, 0, 0, 0}},
        {"decimal NULL",
         col(ColumnType::Decimal, 0, 18, 2),
         std::monostate{},
         {0x6A, 9, 18, 2},
         {0}},
        {"datetime",
         col(ColumnType::DateTime),
         DateTime{1, 300},
         {0x6F, 8},
         {8, 1, 0, 0, 0, 0x2C, 0x01, 0, 0}},
        {"datetime NULL", col(ColumnType::DateTime), std::monostate{}, {0x6F, 8}, {0}},
        {"int", col(ColumnType::Int), std::int64_t{-2}, {0x26, 4}, {4, 0xFE, 0xFF, 0xFF, 0xFF}},
        {"smallint", col(ColumnType::SmallInt), std::int64_t{258}, {0x26, 2}, {2, 0x02, 0x01}},
        {"tinyint", col(ColumnType::TinyInt), std::int64_t{255}, {0x26, 1}, {1, 0xFF}},
        {"int NULL", col(ColumnType::Int), std::monostate{}, {0x26, 4}, {0}},
        {"bit", col(ColumnType::Bit), std::int64_t{1}, {0x68, 1}, {1, 1}},
        {"bit NULL", col(ColumnType::Bit), std::monostate{}, {0x68, 1}, {0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EncodedColumn encoded = encodeOne(c.column, c.value, c.latin);
        EXPECT_EQ(encoded.typeInfo, c.typeInfo);
        EXPECT_EQ(encoded.value, c.valueBytes);
    }
}

TEST(ResultSetTest, DeclaredLengthsGrowToFitLongerValues) {
    EncodedColumn nvarchar = encodeOne(col(ColumnType::NVarChar, 2), std::u16string(u"abcd"));
    EXPECT_EQ(nvarchar.typeInfo[1], 8);
    EncodedColumn unknownLength = encodeOne(col(ColumnType::NVarChar, 0), std::u16string(u"a"));
    EXPECT_EQ(unknownLength.typeInfo[1] | (unknownLength.typeInfo[2] << 8), 8000);
    EncodedColumn huge = encodeOne(col(ColumnType::NVarChar, 50), std::u16string(5000, u'x'));
    EXPECT_EQ(huge.typeInfo[0], 0x63) << "beyond nvarchar(4000) only ntext can carry it";
    EXPECT_EQ(huge.value.size(), 1 + 24 + 4 + 10000u);
}

TEST(ResultSetTest, ValuesTheColumnCannotCarryAreRefusedBeforeAnythingIsSent) {
    struct Mismatch {
        const char* what;
        Column column;
        Value value;
    };
    const Mismatch mismatches[] = {
        {"text in an int column", col(ColumnType::Int), std::u16string(u"1")},
        {"bytes in an nvarchar column", col(ColumnType::NVarChar, 5), Bytes{1}},
        {"int out of range", col(ColumnType::Int), std::int64_t{1} << 40},
        {"tinyint below zero", col(ColumnType::TinyInt), std::int64_t{-1}},
        {"bit of 2", col(ColumnType::Bit), std::int64_t{2}},
        {"decimal wider than its precision", col(ColumnType::Decimal, 0, 4, 2), Decimal{12345, 2}},
    };
    for (const auto& m : mismatches) {
        CodePageEncoder codePage("GBK");
        ResultSetEncoder encoder(codePage, {});
        EXPECT_THROW(encoder.plan({m.column}, {Row{m.value}}), EncodingError) << m.what;
    }
    CodePageEncoder codePage("GBK");
    ResultSetEncoder encoder(codePage, {});
    EXPECT_THROW(encoder.plan({col(ColumnType::Int), col(ColumnType::Int)}, {Row{std::int64_t{1}}}),
                 EncodingError)
        << "a row shorter than the column list";
}

} // namespace
} // namespace tdslite::protocol
