#include "request_decoding.h"

#include "byte_reader.h"

#include <array>
#include <string>

namespace tdslite::protocol {
namespace {

constexpr std::uint16_t kProcIdFollows = 0xFFFF;
constexpr std::size_t kMaxProcedureNameChars = 1024;

std::u16string wellKnownProcedure(std::uint16_t id) {
    static const std::array<const char16_t*, 16> names{u"",
                                                       u"sp_cursor",
                                                       u"sp_cursoropen",
                                                       u"sp_cursorprepare",
                                                       u"sp_cursorexecute",
                                                       u"sp_cursorprepexec",
                                                       u"sp_cursorunprepare",
                                                       u"sp_cursorfetch",
                                                       u"sp_cursoroption",
                                                       u"sp_cursorclose",
                                                       u"sp_executesql",
                                                       u"sp_prepare",
                                                       u"sp_execute",
                                                       u"sp_prepexec",
                                                       u"sp_prepexecrpc",
                                                       u"sp_unprepare"};
    if (id == 0 || id >= names.size()) {
        std::string number = "#" + std::to_string(id);
        return std::u16string(number.begin(), number.end());
    }
    return names[id];
}

} // namespace

std::span<const std::uint8_t> skipAllHeaders(std::span<const std::uint8_t> payload) {
    ByteReader reader(payload);
    std::uint32_t totalLength = reader.u32le();
    if (totalLength < 4 || totalLength > payload.size()) {
        throw ProtocolError("request headers do not fit the message");
    }
    // Walk the headers too, so that a length that lies inside them is caught here.
    ByteReader headers(payload.subspan(4, totalLength - 4));
    while (!headers.atEnd()) {
        std::uint32_t headerLength = headers.u32le();
        if (headerLength < 6) {
            throw ProtocolError("request header shorter than its own fields");
        }
        headers.skip(headerLength - 4);
    }
    return payload.subspan(totalLength);
}

std::u16string decodeSqlBatch(std::span<const std::uint8_t> payload, bool hasAllHeaders) {
    return decodeUcs2(hasAllHeaders ? skipAllHeaders(payload) : payload);
}

std::u16string decodeRpcProcedureName(std::span<const std::uint8_t> payload, bool hasAllHeaders) {
    ByteReader reader(hasAllHeaders ? skipAllHeaders(payload) : payload);
    std::uint16_t nameLength = reader.u16le();
    if (nameLength == kProcIdFollows) {
        return wellKnownProcedure(reader.u16le());
    }
    if (nameLength > kMaxProcedureNameChars) {
        throw ProtocolError("RPC procedure name too long");
    }
    return decodeUcs2(reader.take(std::size_t{nameLength} * 2));
}

} // namespace tdslite::protocol
