#include "tokens.h"

#include <algorithm>
#include <string>

namespace tdslite::protocol {
namespace {

constexpr std::uint8_t kEnvDatabase = 1;
constexpr std::uint8_t kEnvLanguage = 2;
constexpr std::uint8_t kEnvPacketSize = 4;
constexpr std::uint8_t kEnvCollation = 7;
constexpr std::uint8_t kInterfaceTsql = 1;
constexpr std::size_t kMaxByteLengthChars = 255;
constexpr std::size_t kMaxMessageChars = 4000;

// B_VARCHAR: one length byte in characters, so longer names are cut.
void writeBVarChar(ByteWriter& writer, std::u16string_view text) {
    auto shown = text.substr(0, kMaxByteLengthChars);
    writer.u8(static_cast<std::uint8_t>(shown.size()));
    writer.ucs2(shown);
}

void writeUsVarChar(ByteWriter& writer, std::u16string_view text) {
    auto shown = text.substr(0, kMaxMessageChars);
    writer.u16le(static_cast<std::uint16_t>(shown.size()));
    writer.ucs2(shown);
}

std::u16string decimalText(std::uint32_t value) {
    std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

// A token whose second field is its own length, filled in once the body is written.
template <typename Body> void writeSizedToken(ByteBuffer& out, std::uint8_t token, Body body) {
    ByteWriter writer(out);
    writer.u8(token);
    std::size_t lengthAt = writer.reserveU16();
    body(writer);
    writer.patchU16le(lengthAt, static_cast<std::uint16_t>(out.size() - lengthAt - 2));
}

} // namespace

void writeCollation(ByteWriter& writer, CollationBytes collation) {
    writer.u32le(collation.lcidAndFlags);
    writer.u8(collation.sortId);
}

void writeEnvChangeDatabase(ByteBuffer& out, std::u16string_view newName,
                            std::u16string_view oldName) {
    writeSizedToken(out, kTokenEnvChange, [&](ByteWriter& writer) {
        writer.u8(kEnvDatabase);
        writeBVarChar(writer, newName);
        writeBVarChar(writer, oldName);
    });
}

void writeEnvChangeLanguage(ByteBuffer& out, std::u16string_view language) {
    writeSizedToken(out, kTokenEnvChange, [&](ByteWriter& writer) {
        writer.u8(kEnvLanguage);
        writeBVarChar(writer, language);
        writeBVarChar(writer, u"");
    });
}

void writeEnvChangeCollation(ByteBuffer& out, CollationBytes collation) {
    writeSizedToken(out, kTokenEnvChange, [&](ByteWriter& writer) {
        writer.u8(kEnvCollation);
        writer.u8(5);
        writeCollation(writer, collation);
        writer.u8(0);
    });
}

void writeEnvChangePacketSize(ByteBuffer& out, std::uint32_t newSize, std::uint32_t oldSize) {
    writeSizedToken(out, kTokenEnvChange, [&](ByteWriter& writer) {
        writer.u8(kEnvPacketSize);
        writeBVarChar(writer, decimalText(newSize));
        writeBVarChar(writer, decimalText(oldSize));
    });
}

void writeLoginAck(ByteBuffer& out) {
    writeSizedToken(out, kTokenLoginAck, [&](ByteWriter& writer) {
        writer.u8(kInterfaceTsql);
        writer.u32be(kTdsVersion74);
        writeBVarChar(writer, kServerName);
        writer.bytes(std::initializer_list<std::uint8_t>{15, 0, 0x07, 0xD0});
    });
}

void writeMessage(ByteBuffer& out, const Message& message) {
    std::uint8_t token = message.kind == MessageClass::Error ? kTokenError : kTokenInfo;
    writeSizedToken(out, token, [&](ByteWriter& writer) {
        writer.u32le(static_cast<std::uint32_t>(message.number));
        writer.u8(static_cast<std::uint8_t>(std::clamp(message.state, 0, 255)));
        writer.u8(static_cast<std::uint8_t>(std::clamp(message.severity, 0, 255)));
        writeUsVarChar(writer, message.text);
        writeBVarChar(writer, kServerName);
        writeBVarChar(writer, u"");
        writer.u32le(static_cast<std::uint32_t>(message.line));
    });
}

void writeDone(ByteBuffer& out, std::uint8_t token, std::uint16_t status, std::uint16_t command,
               std::uint64_t rowCount) {
    ByteWriter writer(out);
    writer.u8(token);
    writer.u16le(status);
    writer.u16le(command);
    writer.u64le(rowCount);
}

} // namespace tdslite::protocol
