#include "code_page.h"

#include <cerrno>
#include <stdexcept>

namespace tdslite::protocol {

std::optional<std::string> codePageForCollation(std::string_view collation) {
    auto startsWith = [&](std::string_view prefix) { return collation.starts_with(prefix); };
    if (startsWith("Chinese_PRC_")) {
        return "GBK";
    }
    if (startsWith("SQL_Latin1_General_CP1_") || startsWith("Latin1_General_")) {
        return "CP1252";
    }
    return std::nullopt;
}

CodePageEncoder::CodePageEncoder(const std::string& codePage)
    : handle_(iconv_open(codePage.c_str(), "UTF-16LE")) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error("no converter for code page " + codePage);
    }
}

CodePageEncoder::~CodePageEncoder() {
    iconv_close(handle_);
}

void CodePageEncoder::encode(std::u16string_view text, ByteBuffer& out) {
    // Both code pages agree with ASCII, which is nearly every value this program stores.
    for (char16_t unit : text) {
        if (unit >= 0x80) {
            encodeSlow(text, out);
            return;
        }
    }
    out.insert(out.end(), text.begin(), text.end());
}

void CodePageEncoder::encodeSlow(std::u16string_view text, ByteBuffer& out) {
    ByteBuffer input;
    input.reserve(text.size() * 2);
    ByteWriter(input).ucs2(text);
    char* in = reinterpret_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0) {
        char buffer[256];
        char* result = buffer;
        std::size_t resultLeft = sizeof buffer;
        std::size_t converted = iconv(handle_, &in, &inLeft, &result, &resultLeft);
        out.insert(out.end(), buffer, result);
        if (converted == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // Unmappable or a broken surrogate: one '?' for the whole character.
            std::size_t unitBytes = 2;
            bool highSurrogate = inLeft >= 4 && (static_cast<unsigned char>(in[1]) & 0xFC) == 0xD8;
            bool lowFollows = highSurrogate && (static_cast<unsigned char>(in[3]) & 0xFC) == 0xDC;
            if (lowFollows) {
                unitBytes = 4;
            }
            out.push_back('?');
            in += unitBytes;
            inLeft -= unitBytes;
            iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        }
    }
}

} // namespace tdslite::protocol
