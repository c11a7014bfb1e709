// The single-byte (or, for Chinese, double-byte) code page that char and text values
// travel in: clients decode them by the collation sent in the column metadata.
#pragma once

#include "byte_writer.h"

#include <iconv.h>

#include <optional>
#include <string>
#include <string_view>

namespace tdslite::protocol {

// The iconv name for a collation's code page, or nothing for a collation we cannot serve.
std::optional<std::string> codePageForCollation(std::string_view collation);

// One converter per connection: an iconv handle must not be shared between threads.
class CodePageEncoder {
public:
    explicit CodePageEncoder(const std::string& codePage);
    ~CodePageEncoder();
    CodePageEncoder(const CodePageEncoder&) = delete;
    CodePageEncoder& operator=(const CodePageEncoder&) = delete;

    // Characters the code page cannot hold become '?', as SQL Server does.
    void encode(std::u16string_view text, ByteBuffer& out);

private:
    void encodeSlow(std::u16string_view text, ByteBuffer& out);

    iconv_t handle_;
};

} // namespace tdslite::protocol
