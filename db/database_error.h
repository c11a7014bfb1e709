// The one kind of failure the database road reports: the server's message, or the gateway's
// own texts. Callers show text() as it stands, so it never carries a password.
#pragma once

#include <QString>
#include <stdexcept>

class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString& text) : std::runtime_error(text.toStdString()) {}
    QString text() const { return QString::fromUtf8(what()); }
};
