#include "codepage.h"

#include <cerrno>
#include <iconv.h>

namespace tdslite {

namespace {

bool isSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

// One conversion through iconv; false when the character has no mapping.
bool convert(const char* to, const char* from, const char* in, std::size_t inSize, char* out,
             std::size_t* outSize) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return false;
    }
    char* inPtr = const_cast<char*>(in);
    std::size_t inLeft = inSize;
    char* outPtr = out;
    std::size_t outLeft = *outSize;
    std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    bool ok = rc != static_cast<std::size_t>(-1) && inLeft == 0;
    if (ok) {
        ok = iconv(cd, nullptr, nullptr, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
    }
    iconv_close(cd);
    *outSize = *outSize - outLeft;
    return ok;
}

} // namespace

CodePage::CodePage(std::string iconvName) : iconvName_(std::move(iconvName)) {
    for (char16_t c = 0; c < 0x80; ++c) {
        known_[c] = 2;
    }
}

std::uint8_t CodePage::probe(char16_t c) const {
    char in[2] = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    char narrow[8];
    std::size_t narrowSize = sizeof narrow;
    if (!convert(iconvName_.c_str(), "UTF-16LE", in, 2, narrow, &narrowSize) || narrowSize == 0) {
        return Missing;
    }
    // A mapping counts only when it comes back as the same character.
    char back[8];
    std::size_t backSize = sizeof back;
    if (!convert("UTF-16LE", iconvName_.c_str(), narrow, narrowSize, back, &backSize) ||
        backSize != 2 || back[0] != in[0] || back[1] != in[1]) {
        return Missing;
    }
    return static_cast<std::uint8_t>(1 + narrowSize);
}

std::uint8_t CodePage::bytesFor(char16_t c) const {
    if (c < 0x80) {
        return 2;
    }
    if (isSurrogate(c)) {
        return Missing;
    }
    std::lock_guard lock(mutex_);
    if (known_[c] == Unknown) {
        known_[c] = probe(c);
    }
    return known_[c];
}

std::u16string CodePage::narrow(std::u16string_view text) const {
    std::u16string out(text);
    for (auto& c : out) {
        if (c >= 0x80 && bytesFor(c) == Missing) {
            c = u'?';
        }
    }
    return out;
}

std::size_t CodePage::byteLength(std::u16string_view text) const {
    std::size_t total = 0;
    for (char16_t c : text) {
        std::uint8_t info = bytesFor(c);
        total += info == Missing ? 1 : info - 1;
    }
    return total;
}

} // namespace tdslite
