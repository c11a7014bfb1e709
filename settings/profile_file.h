// Single-key access to an INI file, edited in place so that every other line of the file
// (other sections, comments, line endings) stays exactly as the other programs wrote it.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

class ProfileFile {
public:
    explicit ProfileFile(QString path);

    const QString& path() const { return path_; }

    // Section and key match without regard to case; the value is cut at 2047 characters.
    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    // Decimal, or hexadecimal after "0x", "0X" or "$"; anything else gives defaultValue.
    std::int32_t readInteger(const QString& section, const QString& key,
                             std::int32_t defaultValue) const;

    // Atomic: the file is replaced whole or not at all. Throws std::runtime_error with
    // "Unable to write to <path>" when it cannot be written, and std::invalid_argument for a
    // name or value holding a line break.
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, std::int32_t value);
    // The std::invalid_argument writeString throws for a line break, before anything is written.
    void requireSingleLine(const QString& section, const QString& key, const QString& value) const;

private:
    // Nothing when the file cannot be opened for reading (missing, a directory, unreadable).
    std::optional<QByteArray> readContents() const;
    bool replaceWhole(const QByteArray& contents) const;
    [[noreturn]] void throwUnableToWrite() const;

    QString path_;
};
