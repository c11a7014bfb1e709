#include "lexer.h"

#include "unicode.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace tdslite {

namespace {

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool isHex(char16_t c) {
    return isDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}
bool isWordStart(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c == u'#' ||
           (c >= 0x80 && c != 0x3000 && c != 0xFEFF);
}
bool isWordPart(char16_t c) {
    return isWordStart(c) || isDigit(c) || c == u'@' || c == u'$';
}
bool isSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f' || c == u'\v' ||
           c == 0x3000 || c == 0xFEFF;
}

class Lexer {
public:
    explicit Lexer(std::u16string_view text) : text_(text) {}

    std::vector<Token> run() {
        std::vector<Token> tokens;
        while (true) {
            skipSpaceAndComments();
            if (pos_ >= text_.size()) {
                tokens.push_back({TokenKind::End, u"", line_});
                return tokens;
            }
            tokens.push_back(next());
        }
    }

private:
    char16_t at(std::size_t i) const { return i < text_.size() ? text_[i] : u'\0'; }

    void advance() {
        if (text_[pos_] == u'\n') {
            ++line_;
        }
        ++pos_;
    }

    void skipSpaceAndComments() {
        while (pos_ < text_.size()) {
            char16_t c = text_[pos_];
            if (isSpace(c)) {
                advance();
            } else if (c == u'-' && at(pos_ + 1) == u'-') {
                while (pos_ < text_.size() && text_[pos_] != u'\n') {
                    advance();
                }
            } else if (c == u'/' && at(pos_ + 1) == u'*') {
                skipBlockComment();
            } else {
                return;
            }
        }
    }

    // T-SQL block comments nest.
    void skipBlockComment() {
        int depth = 0;
        while (pos_ < text_.size()) {
            if (text_[pos_] == u'/' && at(pos_ + 1) == u'*') {
                ++depth;
                pos_ += 2;
            } else if (text_[pos_] == u'*' && at(pos_ + 1) == u'/') {
                pos_ += 2;
                if (--depth == 0) {
                    return;
                }
            } else {
                advance();
            }
        }
        throw err::missingEndComment();
    }

    Token next() {
        char16_t c = text_[pos_];
        int line = line_;
        if ((c == u'N' || c == u'n') && at(pos_ + 1) == u'\'') {
            advance();
            return {TokenKind::NString, quoted(u'\'', u'\''), line};
        }
        if (c == u'\'') {
            return {TokenKind::String, quoted(u'\'', u'\''), line};
        }
        if (c == u'[') {
            return {TokenKind::QuotedName, quoted(u'[', u']'), line};
        }
        if (c == u'"') {
            return {TokenKind::QuotedName, quoted(u'"', u'"'), line};
        }
        if (c == u'0' && (at(pos_ + 1) == u'x' || at(pos_ + 1) == u'X')) {
            pos_ += 2;
            std::size_t start = pos_;
            while (pos_ < text_.size() && isHex(text_[pos_])) {
                ++pos_;
            }
            return {TokenKind::Binary, std::u16string(text_.substr(start, pos_ - start)), line};
        }
        if (isDigit(c) || (c == u'.' && isDigit(at(pos_ + 1)))) {
            return {TokenKind::Number, number(), line};
        }
        if (c == u'@') {
            std::size_t start = pos_;
            ++pos_;
            while (pos_ < text_.size() && (isWordPart(text_[pos_]))) {
                ++pos_;
            }
            return {TokenKind::Variable, std::u16string(text_.substr(start, pos_ - start)), line};
        }
        if (isWordStart(c)) {
            std::size_t start = pos_;
            while (pos_ < text_.size() && isWordPart(text_[pos_])) {
                ++pos_;
            }
            return {TokenKind::Word, std::u16string(text_.substr(start, pos_ - start)), line};
        }
        return {TokenKind::Symbol, symbol(), line};
    }

    std::u16string number() {
        std::size_t start = pos_;
        while (pos_ < text_.size() && isDigit(text_[pos_])) {
            ++pos_;
        }
        if (at(pos_) == u'.') {
            ++pos_;
            while (pos_ < text_.size() && isDigit(text_[pos_])) {
                ++pos_;
            }
        }
        return std::u16string(text_.substr(start, pos_ - start));
    }

    std::u16string symbol() {
        static constexpr std::array<std::u16string_view, 6> kPairs = {u"<=", u">=", u"<>",
                                                                      u"!=", u"!<", u"!>"};
        std::u16string_view rest = text_.substr(pos_);
        for (auto pair : kPairs) {
            if (rest.substr(0, 2) == pair) {
                pos_ += 2;
                return std::u16string(pair);
            }
        }
        return std::u16string(1, text_[pos_++]);
    }

    // Reads a quoted run; a doubled closing quote stands for itself.
    std::u16string quoted(char16_t open, char16_t close) {
        (void)open;
        advance();
        std::u16string content;
        while (pos_ < text_.size()) {
            char16_t c = text_[pos_];
            if (c == close) {
                if (at(pos_ + 1) == close) {
                    content.push_back(close);
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                return content;
            }
            content.push_back(c);
            advance();
        }
        throw err::unclosedQuote(content);
    }

    std::u16string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

constexpr std::string_view kReserved[] = {
    "ADD",        "ALL",      "ALTER",  "AND",          "ANY",         "AS",        "ASC",
    "BEGIN",      "BETWEEN",  "BY",     "CASE",         "CHECK",       "CLUSTERED", "COMMIT",
    "CONSTRAINT", "CREATE",   "CROSS",  "DATABASE",     "DECLARE",     "DEFAULT",   "DELETE",
    "DESC",       "DISTINCT", "DROP",   "ELSE",         "END",         "EXEC",      "EXECUTE",
    "EXISTS",     "FOREIGN",  "FROM",   "FULL",         "GROUP",       "HAVING",    "IDENTITY",
    "IF",         "IN",       "INNER",  "INSERT",       "INTO",        "IS",        "JOIN",
    "KEY",        "LEFT",     "LIKE",   "NONCLUSTERED", "NOT",         "NULL",      "ON",
    "OR",         "ORDER",    "OUTER",  "PRIMARY",      "PRINT",       "PROC",      "PROCEDURE",
    "REFERENCES", "RETURN",   "RIGHT",  "ROLLBACK",     "SELECT",      "SET",       "TABLE",
    "TEXTSIZE",   "THEN",     "TOP",    "TRAN",         "TRANSACTION", "UNION",     "UNIQUE",
    "UPDATE",     "USE",      "VALUES", "WHEN",         "WHERE",       "WHILE",     "WITH",
};

} // namespace

std::vector<Token> tokenize(std::u16string_view batch) {
    return Lexer(batch).run();
}

bool isReservedWord(std::u16string_view word) {
    return std::any_of(std::begin(kReserved), std::end(kReserved),
                       [&](std::string_view reserved) { return isWord(word, reserved); });
}

} // namespace tdslite
