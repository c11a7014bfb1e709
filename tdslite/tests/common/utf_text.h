// UTF-8 <-> UTF-16 for the tests, written apart from the server's own conversion so that the
// tests do not take its word for what a character is.
#pragma once

#include <string>
#include <string_view>

namespace tdslite::testing {

std::u16string utf8ToUtf16(std::string_view text);
std::string utf16ToUtf8(std::u16string_view text);

} // namespace tdslite::testing
