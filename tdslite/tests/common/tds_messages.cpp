#include "tds_messages.h"

#include <stdexcept>

namespace tdslite::testtds {
namespace {

void putU16(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void putU32(Bytes& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void putUcs2(Bytes& out, std::u16string_view text) {
    for (char16_t unit : text) {
        putU16(out, static_cast<std::uint16_t>(unit));
    }
}

Bytes obfuscated(std::u16string_view password) {
    Bytes bytes;
    putUcs2(bytes, password);
    for (auto& byte : bytes) {
        byte = static_cast<std::uint8_t>(((byte << 4) | (byte >> 4)) ^ 0xA5);
    }
    return bytes;
}

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool atEnd() const { return position_ >= bytes_.size(); }
    std::uint8_t u8() { return take(1)[0]; }
    std::uint16_t u16() {
        auto b = take(2);
        return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
    }
    std::uint32_t u32() {
        auto b = take(4);
        return static_cast<std::uint32_t>(b[0] | (b[1] << 8) | (b[2] << 16)) |
               (std::uint32_t{b[3]} << 24);
    }
    std::uint64_t u64() {
        std::uint64_t low = u32();
        return low | (std::uint64_t{u32()} << 32);
    }
    std::span<const std::uint8_t> take(std::size_t count) {
        if (position_ + count > bytes_.size()) {
            throw std::runtime_error("reply ends inside a token");
        }
        auto part = bytes_.subspan(position_, count);
        position_ += count;
        return part;
    }
    std::u16string ucs2(std::size_t chars) {
        auto b = take(chars * 2);
        std::u16string text(chars, u'\0');
        for (std::size_t i = 0; i < chars; ++i) {
            text[i] = static_cast<char16_t>(b[2 * i] | (b[2 * i + 1] << 8));
        }
        return text;
    }
    std::u16string bVarChar() { return ucs2(u8()); }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

bool isLongType(std::uint8_t type) {
    return type == 0x22 || type == 0x23 || type == 0x63;
}

bool isShortText(std::uint8_t type) {
    return type == 0xE7 || type == 0xAF || type == 0xA7 || type == 0xEF || type == 0xA5 ||
           type == 0xAD;
}

bool hasCollation(std::uint8_t type) {
    return type == 0xE7 || type == 0xAF || type == 0xA7 || type == 0xEF || type == 0x23 ||
           type == 0x63;
}

void readColumnMetadata(Reader& reader, Token& token) {
    std::uint16_t count = reader.u16();
    for (std::uint16_t i = 0; i < count; ++i) {
        reader.u32(); // user type
        reader.u16(); // flags
        std::uint8_t type = reader.u8();
        if (isLongType(type)) {
            reader.u32();
        } else if (isShortText(type)) {
            reader.u16();
        } else {
            reader.u8();
        }
        if (type == 0x6A || type == 0x6C) {
            reader.take(2);
        }
        if (hasCollation(type)) {
            reader.take(5);
        }
        if (isLongType(type)) {
            for (std::uint8_t parts = reader.u8(); parts > 0; --parts) {
                reader.ucs2(reader.u16());
            }
        }
        token.columnTypes.push_back(type);
        token.columnNames.push_back(reader.bVarChar());
    }
}

std::optional<Bytes> readValue(Reader& reader, std::uint8_t type) {
    if (isLongType(type)) {
        std::uint8_t pointerLength = reader.u8();
        if (pointerLength == 0) {
            return std::nullopt;
        }
        reader.take(pointerLength);
        reader.take(8);
        auto data = reader.take(reader.u32());
        return Bytes(data.begin(), data.end());
    }
    if (isShortText(type)) {
        std::uint16_t length = reader.u16();
        if (length == 0xFFFF) {
            return std::nullopt;
        }
        auto data = reader.take(length);
        return Bytes(data.begin(), data.end());
    }
    std::uint8_t length = reader.u8();
    if (length == 0) {
        return std::nullopt;
    }
    auto data = reader.take(length);
    return Bytes(data.begin(), data.end());
}

Token readEnvChange(Reader& reader) {
    Token token;
    std::uint16_t length = reader.u16();
    Reader body(reader.take(length));
    token.envType = body.u8();
    if (token.envType == 7) {
        auto value = body.take(body.u8());
        token.envBytes.assign(value.begin(), value.end());
    } else {
        token.text = body.bVarChar();
    }
    return token;
}

Token readMessage(Reader& reader) {
    Token token;
    std::uint16_t length = reader.u16();
    Reader body(reader.take(length));
    token.number = static_cast<int>(body.u32());
    body.u8();
    body.u8();
    token.text = body.ucs2(body.u16());
    return token;
}

} // namespace

Bytes preloginPayload() {
    // VERSION, ENCRYPTION (off), terminator.
    Bytes payload{0x00, 0x00, 0x0B, 0x00, 0x06, 0x01, 0x00, 0x11, 0x00, 0x01, 0xFF};
    payload.insert(payload.end(), {9, 0, 0, 0, 0, 0, 0x00});
    return payload;
}

Bytes login7Payload(const LoginFields& fields) {
    const std::u16string host = u"testhost";
    const std::u16string app = u"tests";
    const std::u16string library = u"testtds";
    Bytes password = obfuscated(fields.password);
    constexpr std::uint16_t kFixed = 94;
    std::vector<std::pair<std::uint16_t, std::uint16_t>> refs;
    Bytes data;
    auto addText = [&](std::u16string_view text) {
        refs.emplace_back(static_cast<std::uint16_t>(kFixed + data.size()),
                          static_cast<std::uint16_t>(text.size()));
        putUcs2(data, text);
    };
    addText(host);
    addText(fields.user);
    refs.emplace_back(static_cast<std::uint16_t>(kFixed + data.size()),
                      static_cast<std::uint16_t>(fields.password.size()));
    data.insert(data.end(), password.begin(), password.end());
    addText(app);
    addText(u"");
    std::size_t extensionRef = refs.size();
    refs.emplace_back(0, 0);
    addText(library);
    addText(u"");
    addText(fields.database);
    if (!fields.featureExtension.empty()) {
        refs[extensionRef] = {static_cast<std::uint16_t>(kFixed + data.size()), 4};
        putU32(data, static_cast<std::uint32_t>(kFixed + data.size() + 4));
        data.insert(data.end(), fields.featureExtension.begin(), fields.featureExtension.end());
    }
    Bytes record;
    putU32(record, static_cast<std::uint32_t>(kFixed + data.size()));
    putU32(record, fields.tdsVersion);
    putU32(record, fields.packetSize);
    putU32(record, 7);
    putU32(record, 1234);
    putU32(record, 0);
    record.push_back(0xE0);
    record.push_back(0x03);
    record.push_back(0x00);
    record.push_back(fields.featureExtension.empty() ? 0x00 : 0x10);
    putU32(record, 0);
    putU32(record, 0x0409);
    for (const auto& [offset, length] : refs) {
        putU16(record, offset);
        putU16(record, length);
    }
    record.insert(record.end(), 6, 0); // client id
    for (int i = 0; i < 3; ++i) {
        putU16(record, static_cast<std::uint16_t>(kFixed + data.size()));
        putU16(record, 0);
    }
    putU32(record, 0);
    record.insert(record.end(), data.begin(), data.end());
    return record;
}

Bytes sqlBatchPayload(std::u16string_view text) {
    Bytes payload;
    putU32(payload, 22); // ALL_HEADERS total length
    putU32(payload, 18); // transaction descriptor header length
    putU16(payload, 2);  // header type
    payload.insert(payload.end(), 8, 0);
    putU32(payload, 1); // outstanding requests
    putUcs2(payload, text);
    return payload;
}

Bytes rpcPayload(std::u16string_view procedure) {
    Bytes payload;
    putU32(payload, 22);
    putU32(payload, 18);
    putU16(payload, 2);
    payload.insert(payload.end(), 8, 0);
    putU32(payload, 1);
    putU16(payload, static_cast<std::uint16_t>(procedure.size()));
    putUcs2(payload, procedure);
    putU16(payload, 0); // option flags
    return payload;
}

Bytes packets(std::uint8_t type, std::span<const std::uint8_t> payload, std::size_t packetSize) {
    Bytes stream;
    std::size_t room = packetSize - 8;
    std::size_t sent = 0;
    std::uint8_t id = 1;
    do {
        std::size_t chunk = std::min(room, payload.size() - sent);
        bool last = sent + chunk == payload.size();
        std::size_t length = chunk + 8;
        stream.insert(stream.end(), {type, static_cast<std::uint8_t>(last ? 1 : 0),
                                     static_cast<std::uint8_t>(length >> 8),
                                     static_cast<std::uint8_t>(length), 0, 0, id++, 0});
        stream.insert(stream.end(), payload.begin() + static_cast<std::ptrdiff_t>(sent),
                      payload.begin() + static_cast<std::ptrdiff_t>(sent + chunk));
        sent += chunk;
    } while (sent < payload.size());
    return stream;
}

std::vector<Token> parseTokens(std::span<const std::uint8_t> payload) {
    Reader reader(payload);
    std::vector<Token> tokens;
    std::vector<std::uint8_t> currentTypes;
    while (!reader.atEnd()) {
        std::uint8_t type = reader.u8();
        Token token;
        switch (type) {
        case 0xE3:
            token = readEnvChange(reader);
            break;
        case 0xAA:
        case 0xAB:
            token = readMessage(reader);
            break;
        case 0xAD: {
            Reader body(reader.take(reader.u16()));
            body.u8();
            auto version = body.take(4);
            token.tdsVersion = (std::uint32_t{version[0]} << 24) |
                               (std::uint32_t{version[1]} << 16) |
                               (std::uint32_t{version[2]} << 8) | version[3];
            token.text = body.bVarChar();
            break;
        }
        case 0x81:
            readColumnMetadata(reader, token);
            currentTypes = token.columnTypes;
            break;
        case 0xD1:
            for (std::uint8_t columnType : currentTypes) {
                token.values.push_back(readValue(reader, columnType));
            }
            break;
        case 0xFD:
        case 0xFE:
        case 0xFF:
            token.doneStatus = reader.u16();
            reader.u16();
            token.doneCount = reader.u64();
            break;
        default:
            throw std::runtime_error("unknown token " + std::to_string(type));
        }
        token.type = type;
        tokens.push_back(std::move(token));
    }
    return tokens;
}

std::vector<int> messageNumbers(const std::vector<Token>& tokens) {
    std::vector<int> numbers;
    for (const auto& token : tokens) {
        if (token.type == 0xAA || token.type == 0xAB) {
            numbers.push_back(token.number);
        }
    }
    return numbers;
}

std::vector<std::uint16_t> doneStatuses(const std::vector<Token>& tokens) {
    std::vector<std::uint16_t> statuses;
    for (const auto& token : tokens) {
        if (token.type == 0xFD || token.type == 0xFE || token.type == 0xFF) {
            statuses.push_back(token.doneStatus);
        }
    }
    return statuses;
}

} // namespace tdslite::testtds
