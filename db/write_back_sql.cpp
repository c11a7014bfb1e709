#include "db/write_back_sql.h"

#include "db/sql_literal.h"
#include "db/sql_tokens.h"

namespace {

using Tokens = QList<SqlToken>;

bool isWord(const Tokens& tokens, qsizetype at, const char* word) {
    return at < tokens.size() && tokens[at].kind == SqlToken::Kind::Word &&
           tokens[at].text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool isSymbol(const Tokens& tokens, qsizetype at, char16_t symbol) {
    return at < tokens.size() && tokens[at].kind == SqlToken::Kind::Symbol &&
           tokens[at].text == QChar(symbol);
}

bool isName(const Tokens& tokens, qsizetype at) {
    return at < tokens.size() && (tokens[at].kind == SqlToken::Kind::Word ||
                                  tokens[at].kind == SqlToken::Kind::QuotedName);
}

bool isAnyWord(const Tokens& tokens, qsizetype at, std::initializer_list<const char*> words) {
    for (const char* word : words) {
        if (isWord(tokens, at, word))
            return true;
    }
    return false;
}

// Where the outer query's "from" is, skipping any in parentheses.
qsizetype outerFrom(const Tokens& tokens) {
    int depth = 0;
    for (qsizetype at = 0; at < tokens.size(); ++at) {
        if (isSymbol(tokens, at, u'('))
            ++depth;
        else if (isSymbol(tokens, at, u')'))
            --depth;
        else if (depth == 0 && isWord(tokens, at, "from"))
            return at;
    }
    return -1;
}

bool combinesQueries(const Tokens& tokens, qsizetype from) {
    int depth = 0;
    for (qsizetype at = from; at < tokens.size(); ++at) {
        if (isSymbol(tokens, at, u'('))
            ++depth;
        else if (isSymbol(tokens, at, u')'))
            --depth;
        else if (depth == 0 && (isAnyWord(tokens, at, {"union", "except", "intersect"}) ||
                                (isSymbol(tokens, at, u';') && at + 1 < tokens.size())))
            return true;
    }
    return false;
}

// What may follow the table (and its alias) in a query of that one table.
bool endsTableList(const Tokens& tokens, qsizetype at) {
    return at >= tokens.size() || isSymbol(tokens, at, u';') ||
           isAnyWord(tokens, at, {"where", "order", "group", "having", "option"});
}

bool isPlainIdentifier(const QString& name) {
    if (name.isEmpty() || !(name.front().isLetter() || name.front() == u'_'))
        return false;
    for (QChar c : name) {
        if (!(c.isLetterOrNumber() || c == u'_' || c == u'@' || c == u'#' || c == u'$'))
            return false;
    }
    return true;
}

QString catalogue(const TableName& name) {
    if (name.parts.size() >= 3)
        return SqlName(name.parts.front()) + QStringLiteral(".INFORMATION_SCHEMA.");
    return QStringLiteral("INFORMATION_SCHEMA.");
}

} // namespace

std::optional<TableName> SingleTableOf(const QString& sql) {
    const Tokens tokens = SqlTokens(sql);
    if (!isWord(tokens, 0, "select"))
        return std::nullopt;
    const qsizetype from = outerFrom(tokens);
    if (from < 0 || !isName(tokens, from + 1) || combinesQueries(tokens, from))
        return std::nullopt;
    TableName name;
    qsizetype at = from + 1;
    name.parts << tokens[at++].text;
    while (isSymbol(tokens, at, u'.') && isName(tokens, at + 1)) {
        name.parts << tokens[at + 1].text;
        at += 2;
    }
    if (name.parts.size() > 3)
        return std::nullopt;
    if (isWord(tokens, at, "as"))
        ++at;
    if (!endsTableList(tokens, at) && isName(tokens, at))
        ++at; // an alias
    if (!endsTableList(tokens, at))
        return std::nullopt;
    return name;
}

QString SqlName(const QString& name) {
    if (isPlainIdentifier(name))
        return name;
    QString doubled = name;
    doubled.replace(u']', QStringLiteral("]]"));
    return u'[' + doubled + u']';
}

QString SqlName(const TableName& name) {
    QStringList quoted;
    for (const QString& part : name.parts)
        quoted << SqlName(part);
    return quoted.join(u'.');
}

QString PrimaryKeyQuery(const TableName& name) {
    const QString views = catalogue(name);
    QString sql = QStringLiteral("select kcu.COLUMN_NAME from ") + views +
                  QStringLiteral("TABLE_CONSTRAINTS as tc inner join ") + views +
                  QStringLiteral("KEY_COLUMN_USAGE as kcu on kcu.CONSTRAINT_SCHEMA = "
                                 "tc.CONSTRAINT_SCHEMA and kcu.CONSTRAINT_NAME = "
                                 "tc.CONSTRAINT_NAME where tc.CONSTRAINT_TYPE = N'PRIMARY KEY' "
                                 "and tc.TABLE_NAME = ") +
                  SqlText(name.table());
    if (name.parts.size() >= 2)
        sql +=
            QStringLiteral(" and tc.TABLE_SCHEMA = ") + SqlText(name.parts[name.parts.size() - 2]);
    return sql + QStringLiteral(" order by kcu.ORDINAL_POSITION");
}

QString ImageUpdateStatement(const TableName& name, const QString& column, const QByteArray& bytes,
                             const QList<KeyValue>& key) {
    QStringList conditions;
    for (const KeyValue& part : key)
        conditions << SqlName(part.column) + u'=' + SqlText(part.value);
    return QStringLiteral("update ") + SqlName(name) + QStringLiteral(" set ") + SqlName(column) +
           QStringLiteral("=0x") + QString::fromLatin1(bytes.toHex()) + QStringLiteral(" where ") +
           conditions.join(QStringLiteral(" and "));
}
