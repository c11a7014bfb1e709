// Column metadata and rows of one result set, in the wire types clients expect for the
// column types the engine knows.
#pragma once

#include "byte_writer.h"
#include "code_page.h"
#include "engine.h"
#include "packet_writer.h"
#include "tokens.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace tdslite::protocol {

enum class WireType : std::uint8_t {
    Image = 0x22,
    Text = 0x23,
    IntN = 0x26,
    NText = 0x63,
    BitN = 0x68,
    DecimalN = 0x6A,
    DateTimeN = 0x6F,
    BigChar = 0xAF,
    NVarChar = 0xE7,
};

struct WireColumn {
    WireType type = WireType::NVarChar;
    std::uint32_t maxLength = 0; // bytes, as declared in TYPE_INFO
    std::uint8_t precision = 0;
    std::uint8_t scale = 0;
    bool nullable = true;
    std::u16string name;
};

// A value that cannot be sent in its column's type: an engine fault, reported to the
// client as an error instead of a corrupt stream.
class EncodingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ResultSetEncoder {
public:
    ResultSetEncoder(CodePageEncoder& codePage, CollationBytes collation)
        : codePage_(codePage), collation_(collation) {}

    // Chooses wire types and lengths so that every row fits; throws EncodingError.
    std::vector<WireColumn> plan(const std::vector<Column>& columns, const std::vector<Row>& rows);
    void writeMetadata(ByteBuffer& out, const std::vector<WireColumn>& columns);
    // With a sink, large image and text values skip the buffer: what the buffer holds is
    // put first, then the value itself, saving one copy of every photo.
    void writeRow(ByteBuffer& out, const std::vector<WireColumn>& columns, const Row& row,
                  ByteSink* direct = nullptr);

private:
    WireColumn planColumn(const Column& column, const std::vector<Row>& rows, std::size_t index);
    std::size_t longestValue(const Column& column, const std::vector<Row>& rows, std::size_t index);
    static void planNVarChar(WireColumn& wire, std::size_t declaredBytes, std::size_t longest);
    static void planChar(WireColumn& wire, std::size_t declaredBytes, std::size_t longest);
    static void planDecimal(WireColumn& wire, const Column& column, const std::vector<Row>& rows,
                            std::size_t index);
    static void planInteger(WireColumn& wire, const Column& column, const std::vector<Row>& rows,
                            std::size_t index);
    void writeValue(ByteWriter& writer, const WireColumn& column, const Value& value);
    void writeLongValue(ByteBuffer& out, const WireColumn& column, const Value& value);
    void putLongData(ByteBuffer& out, std::span<const std::uint8_t> data);

    CodePageEncoder& codePage_;
    CollationBytes collation_;
    ByteBuffer scratch_;
    ByteSink* direct_ = nullptr;
};

} // namespace tdslite::protocol
