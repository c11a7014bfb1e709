// UTF-16 <-> UTF-8 conversion and case folding for names and collated text.
#pragma once

#include <string>
#include <string_view>

namespace tdslite {

// Lone surrogates are kept (encoded as three-byte sequences) so that any UCS-2 text a client
// sends survives a round trip through SQLite.
std::string toUtf8(std::u16string_view text);
std::u16string fromUtf8(std::string_view text);

std::u16string fromAscii(std::string_view text);

char32_t foldCase(char32_t c);
std::u16string foldName(std::u16string_view name);
bool equalsNoCase(std::u16string_view a, std::u16string_view b);
// True when `word` (ASCII, upper case) equals `text` without regard to case.
bool isWord(std::u16string_view text, std::string_view word);

// Collation order of two UTF-8 strings: trailing spaces never count; case only when asked.
int compareCollated(std::string_view a, std::string_view b, bool caseSensitive);

} // namespace tdslite
