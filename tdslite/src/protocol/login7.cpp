#include "login7.h"

#include "byte_reader.h"

namespace tdslite::protocol {
namespace {

constexpr std::size_t kFixedPartTds70 = 86;
constexpr std::size_t kMaxFieldChars = 256;
constexpr std::uint8_t kOptionFlags3Extension = 0x10;
constexpr std::uint8_t kFeatureTerminator = 0xFF;

struct FieldRef {
    std::uint16_t offset = 0;
    std::uint16_t length = 0; // characters, or bytes for the extension pointer
};

FieldRef readFieldRef(ByteReader& reader) {
    FieldRef ref;
    ref.offset = reader.u16le();
    ref.length = reader.u16le();
    return ref;
}

std::span<const std::uint8_t> fieldBytes(std::span<const std::uint8_t> record, FieldRef ref,
                                         std::size_t bytesPerUnit) {
    if (ref.length == 0) {
        return {};
    }
    if (ref.length > kMaxFieldChars && bytesPerUnit == 2) {
        throw ProtocolError("LOGIN7 field longer than any name the server knows");
    }
    std::size_t bytes = std::size_t{ref.length} * bytesPerUnit;
    if (std::size_t{ref.offset} + bytes > record.size()) {
        throw ProtocolError("LOGIN7 field points outside the record");
    }
    return record.subspan(ref.offset, bytes);
}

std::u16string fieldText(std::span<const std::uint8_t> record, FieldRef ref) {
    return decodeUcs2(fieldBytes(record, ref, 2));
}

std::vector<std::uint8_t> readFeatureIds(std::span<const std::uint8_t> record, FieldRef pointer) {
    ByteReader pointerReader(fieldBytes(record, pointer, 1));
    std::uint32_t featureOffset = pointerReader.u32le();
    if (featureOffset > record.size()) {
        throw ProtocolError("LOGIN7 feature extension points outside the record");
    }
    ByteReader features(record.subspan(featureOffset));
    std::vector<std::uint8_t> ids;
    for (std::uint8_t id = features.u8(); id != kFeatureTerminator; id = features.u8()) {
        ids.push_back(id);
        features.skip(features.u32le());
    }
    return ids;
}

} // namespace

std::u16string deobfuscatePassword(std::span<const std::uint8_t> bytes) {
    std::vector<std::uint8_t> plain(bytes.begin(), bytes.end());
    for (auto& byte : plain) {
        std::uint8_t x = byte ^ 0xA5;
        byte = static_cast<std::uint8_t>((x << 4) | (x >> 4));
    }
    return decodeUcs2(plain);
}

Login7Request parseLogin7(std::span<const std::uint8_t> payload) {
    ByteReader reader(payload);
    std::uint32_t declaredLength = reader.u32le();
    if (declaredLength < kFixedPartTds70 || declaredLength > payload.size()) {
        throw ProtocolError("LOGIN7 record length does not match the message");
    }
    auto record = payload.first(declaredLength);
    Login7Request login;
    login.tdsVersion = reader.u32le();
    login.packetSize = reader.u32le();
    reader.skip(12); // client program version, process id, connection id
    reader.skip(1);  // option flags 1
    login.optionFlags2 = reader.u8();
    reader.skip(1); // type flags
    std::uint8_t optionFlags3 = reader.u8();
    reader.skip(8); // time zone, locale id

    FieldRef host = readFieldRef(reader);
    FieldRef user = readFieldRef(reader);
    FieldRef password = readFieldRef(reader);
    FieldRef app = readFieldRef(reader);
    FieldRef server = readFieldRef(reader);
    FieldRef extension = readFieldRef(reader);
    FieldRef library = readFieldRef(reader);
    FieldRef language = readFieldRef(reader);
    FieldRef database = readFieldRef(reader);

    login.hostName = fieldText(record, host);
    login.userName = fieldText(record, user);
    login.password = deobfuscatePassword(fieldBytes(record, password, 2));
    login.appName = fieldText(record, app);
    login.serverName = fieldText(record, server);
    login.libraryName = fieldText(record, library);
    login.language = fieldText(record, language);
    login.database = fieldText(record, database);
    if ((optionFlags3 & kOptionFlags3Extension) != 0 && extension.length >= 4) {
        login.featureIds = readFeatureIds(record, extension);
    }
    return login;
}

} // namespace tdslite::protocol
