#include "settings/profile_file.h"

#include "settings/ini_text.h"
#include "settings/profile_integer.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <stdexcept>
#include <utility>

namespace {

// The platform's profile functions read into a buffer of 2048 characters, NUL included.
constexpr qsizetype kMaxValueLength = 2047;

bool holdsLineBreak(const QString& text) {
    return text.contains(u'\n') || text.contains(u'\r');
}

} // namespace

ProfileFile::ProfileFile(QString path) : path_(std::move(path)) {}

std::optional<QByteArray> ProfileFile::readContents() const {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

QString ProfileFile::readString(const QString& section, const QString& key,
                                const QString& defaultValue) const {
    QString value = defaultValue;
    if (const std::optional<QByteArray> contents = readContents())
        value = IniText(*contents).value(section, key).value_or(defaultValue);
    value.truncate(kMaxValueLength);
    return value;
}

std::int32_t ProfileFile::readInteger(const QString& section, const QString& key,
                                      std::int32_t defaultValue) const {
    return parseProfileInteger(readString(section, key, QString())).value_or(defaultValue);
}

void ProfileFile::writeString(const QString& section, const QString& key, const QString& value) {
    requireSingleLine(section, key, value);

    // An existing file that cannot be read must not be replaced by one holding a single key.
    std::optional<QByteArray> contents = readContents();
    if (!contents && QFileInfo::exists(path_))
        throwUnableToWrite();
    IniText text(contents.value_or(QByteArray()));
    text.setValue(section, key, value);

    if (!replaceWhole(text.bytes()))
        throwUnableToWrite();
}

void ProfileFile::writeInteger(const QString& section, const QString& key, std::int32_t value) {
    writeString(section, key, QString::number(value));
}

void ProfileFile::requireSingleLine(const QString& section, const QString& key,
                                    const QString& value) const {
    // A line break would split the line and let the rest pass for other keys.
    if (holdsLineBreak(section) || holdsLineBreak(key) || holdsLineBreak(value))
        throw std::invalid_argument(
            ("A line break cannot be written to " + path_ + " (" + section + "/" + key + ")")
                .toStdString());
}

bool ProfileFile::replaceWhole(const QByteArray& contents) const {
    // Written beside the old file and renamed over it: a crash or a full disk leaves the old
    // file whole. No direct-write fallback, which would give that up.
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        return false;
    // commit() alone renames a file whose buffered bytes only partly reached the disk (a short
    // write on a full disk is not an error to it); an unsaved file is discarded when it closes.
    return file.flush() && file.error() == QFileDevice::NoError && file.commit();
}

void ProfileFile::throwUnableToWrite() const {
    throw std::runtime_error(("Unable to write to " + path_).toStdString());
}
