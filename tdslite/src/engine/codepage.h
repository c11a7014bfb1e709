// The code page behind a collation: what a non-Unicode literal or column can hold.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

namespace tdslite {

class CodePage {
public:
    explicit CodePage(std::string iconvName);
    CodePage(const CodePage&) = delete;
    CodePage& operator=(const CodePage&) = delete;

    // Characters the code page cannot hold become '?', as SQL Server stores them.
    std::u16string narrow(std::u16string_view text) const;
    // Bytes the text takes in the code page (after narrowing).
    std::size_t byteLength(std::u16string_view text) const;

private:
    enum : std::uint8_t { Unknown = 0, Missing = 1 };
    std::uint8_t bytesFor(char16_t c) const; // 1 = missing, else 1 + byte count
    std::uint8_t probe(char16_t c) const;

    std::string iconvName_;
    mutable std::mutex mutex_;
    mutable std::array<std::uint8_t, 0x10000> known_{};
};

} // namespace tdslite
