#include "photo_fixtures.h"

#include <QFile>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace {

// JPEG keeps flat colour well away from the edges between quarters; this leaves room for
// its rounding, but not for a swapped or inverted channel.
constexpr int kColourTolerance = 24;

std::filesystem::path fixtureDirectory() {
    return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "fixtures" /
           "photos";
}

} // namespace

QByteArray fixtureBytes(const std::string& name) {
    QFile file(QString::fromStdString((fixtureDirectory() / name).string()));
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("missing fixture " + name);
    }
    return file.readAll();
}

Quadrants quadrantColours(const QImage& picture) {
    const int left = picture.width() / 4;
    const int right = picture.width() * 3 / 4;
    const int top = picture.height() / 4;
    const int bottom = picture.height() * 3 / 4;
    return {picture.pixelColor(left, top), picture.pixelColor(right, top),
            picture.pixelColor(left, bottom), picture.pixelColor(right, bottom)};
}

bool isNear(const QColor& actual, const QColor& expected) {
    return std::abs(actual.red() - expected.red()) <= kColourTolerance &&
           std::abs(actual.green() - expected.green()) <= kColourTolerance &&
           std::abs(actual.blue() - expected.blue()) <= kColourTolerance;
}

std::string describe(const QColor& colour) {
    return "rgb(" + std::to_string(colour.red()) + ", " + std::to_string(colour.green()) + ", " +
           std::to_string(colour.blue()) + ")";
}
