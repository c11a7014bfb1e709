// Splits a T-SQL batch into tokens.
#pragma once

#include "errors.h"

#include <string>
#include <vector>

namespace tdslite {

enum class TokenKind {
    Word,       // identifier or keyword, as written
    QuotedName, // [name] or "name"
    String,     // '...'
    NString,    // N'...'
    Number,     // 12, 12.50
    Binary,     // 0x0A1B
    Variable,   // @name or @@name
    Symbol,     // ( ) , . * = < > <= >= <> != ; + - /
    End,
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::u16string text; // unquoted content; for Binary the hex digits after 0x
    int line = 1;
};

// Throws SqlError (whole batch) for an unclosed quote or comment.
std::vector<Token> tokenize(std::u16string_view batch);

bool isReservedWord(std::u16string_view word);

} // namespace tdslite
