#include "settings/profile_file.h"

#include <stdexcept>

ProfileFile::ProfileFile(QString path) : path_(std::move(path)) {}

QString ProfileFile::readString(const QString&, const QString&, const QString& defaultValue) const {
    return defaultValue;
}

std::int32_t ProfileFile::readInteger(const QString&, const QString&,
                                      std::int32_t defaultValue) const {
    return defaultValue;
}

void ProfileFile::writeString(const QString&, const QString&, const QString&) {
    throw std::runtime_error(("Unable to write to " + path_).toStdString());
}

void ProfileFile::writeInteger(const QString& section, const QString& key, std::int32_t value) {
    writeString(section, key, QString::number(value));
}
