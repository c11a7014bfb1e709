#include "unicode.h"

#include <cwctype>
#include <locale.h>

namespace tdslite {

namespace {

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Decodes one code point at `i`, advancing it; malformed bytes decode as U+FFFD.
char32_t decodeUtf8(std::string_view s, std::size_t& i) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char b0 = byte(i);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int extra = b0 >= 0xF0 ? 3 : b0 >= 0xE0 ? 2 : b0 >= 0xC0 ? 1 : -1;
    if (extra < 0) {
        ++i;
        return 0xFFFD;
    }
    char32_t c = b0 & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        if (i + k >= s.size() || (byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    i += extra + 1;
    return c;
}

locale_t utf8Locale() {
    static locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
    return locale;
}

} // namespace

std::string toUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            char32_t cp = 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) +
                          (static_cast<char32_t>(text[i + 1]) - 0xDC00);
            appendUtf8(out, cp);
            ++i;
        } else {
            appendUtf8(out, c);
        }
    }
    return out;
}

std::u16string fromUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            out.push_back(b);
            ++i;
            continue;
        }
        char32_t c = decodeUtf8(text, i);
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return out;
}

std::u16string fromAscii(std::string_view text) {
    return {text.begin(), text.end()};
}

char32_t foldCase(char32_t c) {
    if (c < 0x80) {
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    }
    locale_t locale = utf8Locale();
    if (locale == static_cast<locale_t>(0)) {
        return c;
    }
    return static_cast<char32_t>(towlower_l(static_cast<wint_t>(c), locale));
}

std::u16string foldName(std::u16string_view name) {
    std::u16string out(name);
    for (auto& c : out) {
        if (c < 0x80) {
            if (c >= 'A' && c <= 'Z') {
                c = static_cast<char16_t>(c + 32);
            }
        } else if (c < 0xD800 || c > 0xDFFF) {
            char32_t folded = foldCase(c);
            if (folded < 0x10000) {
                c = static_cast<char16_t>(folded);
            }
        }
    }
    return out;
}

bool equalsNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && foldCase(a[i]) != foldCase(b[i])) {
            return false;
        }
    }
    return true;
}

bool isWord(std::u16string_view text, std::string_view word) {
    if (text.size() != word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char16_t>(c - 32);
        }
        if (c != static_cast<unsigned char>(word[i])) {
            return false;
        }
    }
    return true;
}

int compareCollated(std::string_view a, std::string_view b, bool caseSensitive) {
    while (!a.empty() && a.back() == ' ') {
        a.remove_suffix(1);
    }
    while (!b.empty() && b.back() == ' ') {
        b.remove_suffix(1);
    }
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[j]);
        char32_t cx;
        char32_t cy;
        if (x < 0x80 && y < 0x80) {
            cx = x;
            cy = y;
            ++i;
            ++j;
        } else {
            cx = decodeUtf8(a, i);
            cy = decodeUtf8(b, j);
        }
        if (cx != cy && !caseSensitive) {
            cx = foldCase(cx);
            cy = foldCase(cy);
        }
        if (cx != cy) {
            return cx < cy ? -1 : 1;
        }
    }
    if (i < a.size()) {
        return 1;
    }
    if (j < b.size()) {
        return -1;
    }
    return 0;
}

} // namespace tdslite
