#include "db/sql_tokens.h"

namespace {

bool isWordCharacter(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'@' || c == u'#' || c == u'$';
}

class Lexer {
public:
    explicit Lexer(const QString& sql) : sql_(sql) {}

    QList<SqlToken> tokens() {
        QList<SqlToken> found;
        while (skipSpaceAndComments())
            found << next();
        return found;
    }

private:
    QChar at(qsizetype offset = 0) const {
        return pos_ + offset < sql_.size() ? sql_.at(pos_ + offset) : QChar();
    }

    bool skipSpaceAndComments() {
        for (;;) {
            if (pos_ >= sql_.size())
                return false;
            if (at().isSpace())
                ++pos_;
            else if (at() == u'-' && at(1) == u'-')
                skipLineComment();
            else if (at() == u'/' && at(1) == u'*')
                skipBlockComment();
            else
                return true;
        }
    }

    void skipLineComment() {
        while (pos_ < sql_.size() && at() != u'\n')
            ++pos_;
    }

    // T-SQL block comments nest.
    void skipBlockComment() {
        int depth = 0;
        while (pos_ < sql_.size()) {
            if (at() == u'/' && at(1) == u'*') {
                ++depth;
                pos_ += 2;
            } else if (at() == u'*' && at(1) == u'/') {
                pos_ += 2;
                if (--depth == 0)
                    return;
            } else {
                ++pos_;
            }
        }
    }

    // Up to the closing character; doubled, it stands for itself.
    QString enclosed(QChar close) {
        QString inside;
        for (++pos_; pos_ < sql_.size(); ++pos_) {
            if (at() == close) {
                if (at(1) != close) {
                    ++pos_;
                    break;
                }
                ++pos_;
            }
            inside += at();
        }
        return inside;
    }

    SqlToken next() {
        const QChar first = at();
        if ((first == u'N' || first == u'n') && at(1) == u'\'') {
            ++pos_;
            return {SqlToken::Kind::Literal, QStringLiteral("N'") + enclosed(u'\'') + u'\''};
        }
        if (first == u'\'')
            return {SqlToken::Kind::Literal, u'\'' + enclosed(u'\'') + u'\''};
        if (first == u'[')
            return {SqlToken::Kind::QuotedName, enclosed(u']')};
        if (first == u'"')
            return {SqlToken::Kind::QuotedName, enclosed(u'"')};
        if (isWordCharacter(first)) {
            const qsizetype start = pos_;
            while (pos_ < sql_.size() && isWordCharacter(at()))
                ++pos_;
            return {SqlToken::Kind::Word, sql_.mid(start, pos_ - start)};
        }
        ++pos_;
        return {SqlToken::Kind::Symbol, QString(first)};
    }

    const QString& sql_;
    qsizetype pos_ = 0;
};

} // namespace

QList<SqlToken> SqlTokens(const QString& sql) {
    return Lexer(sql).tokens();
}
