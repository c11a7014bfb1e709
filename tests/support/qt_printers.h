// Readable gtest failure messages for Qt values.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << '[';
    for (qsizetype i = 0; i < texts.size(); ++i)
        *out << (i ? ", " : "") << '"' << texts[i].toStdString() << '"';
    *out << ']';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* out) {
    *out << bytes.size() << " bytes: " << bytes.left(32).toHex(' ').toStdString();
}
