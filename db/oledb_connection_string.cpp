#include "db/oledb_connection_string.h"

#include "db/database_error.h"

namespace {

bool needsQuotes(const QString& value) {
    if (value.isEmpty())
        return false;
    if (value.front().isSpace() || value.back().isSpace())
        return true;
    return value.contains(u';') || value.contains(u'\'') || value.contains(u'"');
}

QString enclosed(const QString& value, QChar quote) {
    QString doubled = value;
    doubled.replace(quote, QString(2, quote));
    return quote + doubled + quote;
}

// The failure never quotes the text: it may hold a password.
[[noreturn]] void invalid(const char* what, qsizetype position) {
    throw DatabaseError(QStringLiteral("The connection string is not valid: %1 at character %2")
                            .arg(QString::fromLatin1(what))
                            .arg(position + 1));
}

class Reader {
public:
    explicit Reader(const QString& text) : text_(text) {}

    QList<OleDbPair> pairs() {
        QList<OleDbPair> found;
        for (skipSeparators(); !atEnd(); skipSeparators()) {
            OleDbPair pair;
            pair.key = key();
            pair.value = value();
            found << pair;
        }
        return found;
    }

private:
    bool atEnd() const { return pos_ >= text_.size(); }
    QChar current() const { return text_.at(pos_); }

    void skipSeparators() {
        while (!atEnd() && (current().isSpace() || current() == u';'))
            ++pos_;
    }
    void skipSpaces() {
        while (!atEnd() && current() != u';' && current().isSpace())
            ++pos_;
    }

    // "==" stands for an equals sign inside a key.
    QString key() {
        const qsizetype start = pos_;
        QString key;
        for (;;) {
            if (atEnd() || current() == u';')
                invalid("a key without \"=\"", start);
            if (current() == u'=') {
                if (pos_ + 1 < text_.size() && text_.at(pos_ + 1) == u'=') {
                    key += u'=';
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                break;
            }
            key += current();
            ++pos_;
        }
        key = key.trimmed();
        if (key.isEmpty())
            invalid("an empty key", start);
        return key;
    }

    QString value() {
        skipSpaces();
        if (!atEnd() && (current() == u'"' || current() == u'\''))
            return quotedValue();
        const qsizetype start = pos_;
        while (!atEnd() && current() != u';')
            ++pos_;
        return text_.mid(start, pos_ - start).trimmed();
    }

    // The enclosing quote, doubled, stands for itself.
    QString quotedValue() {
        const qsizetype start = pos_;
        const QChar quote = current();
        QString value;
        for (++pos_;; ++pos_) {
            if (atEnd())
                invalid("an unclosed quote", start);
            if (current() != quote) {
                value += current();
                continue;
            }
            if (pos_ + 1 < text_.size() && text_.at(pos_ + 1) == quote) {
                value += quote;
                ++pos_;
                continue;
            }
            ++pos_;
            break;
        }
        skipSpaces();
        if (!atEnd() && current() != u';')
            invalid("text after a closing quote", pos_);
        return value;
    }

    const QString& text_;
    qsizetype pos_ = 0;
};

} // namespace

QString OleDbValue(const QString& value) {
    if (!needsQuotes(value))
        return value;
    return enclosed(value, value.contains(u'"') ? u'\'' : u'"');
}

OleDbConnectionString OleDbConnectionString::parse(const QString& text) {
    OleDbConnectionString parsed;
    parsed.pairs_ = Reader(text).pairs();
    return parsed;
}

bool OleDbConnectionString::contains(const QString& key) const {
    for (const OleDbPair& pair : pairs_) {
        if (pair.key.compare(key, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString OleDbConnectionString::value(const QString& key) const {
    for (auto pair = pairs_.crbegin(); pair != pairs_.crend(); ++pair) {
        if (pair->key.compare(key, Qt::CaseInsensitive) == 0)
            return pair->value;
    }
    return {};
}
