// The OLE DB connection-string syntax: key=value pairs joined by ";", a value that holds
// ";" or a quote, or has spaces at either end, enclosed in quotes.
#pragma once

#include <QList>
#include <QString>

// The value as it must be written after "Key=" so that it is read back unchanged.
QString OleDbValue(const QString& value);

struct OleDbPair {
    QString key;
    QString value;
};

class OleDbConnectionString {
public:
    // Throws DatabaseError for a text that is not in the syntax (an unclosed quote, a pair
    // without "=").
    static OleDbConnectionString parse(const QString& text);

    // Keys match without regard to case; a key given twice means its last value.
    bool contains(const QString& key) const;
    QString value(const QString& key) const;
    const QList<OleDbPair>& pairs() const { return pairs_; }

private:
    QList<OleDbPair> pairs_;
};
