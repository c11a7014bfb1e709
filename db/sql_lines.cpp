#include "db/sql_lines.h"

QStringList SqlLinesOf(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar here = text.at(at);
        if (here != u'\r' && here != u'\n')
            continue;
        lines << text.mid(start, at - start);
        if (here == u'\r' && at + 1 < text.size() && text.at(at + 1) == u'\n')
            ++at;
        start = at + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}

QString BatchText(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}
