// Just enough of T-SQL's lexical rules to read a statement's shape: words, quoted names,
// literals and symbols, with comments dropped.
#pragma once

#include <QList>
#include <QString>

struct SqlToken {
    enum class Kind { Word, QuotedName, Literal, Symbol };
    Kind kind;
    QString text; // a quoted name without its quotes; a literal as written
};

QList<SqlToken> SqlTokens(const QString& sql);
