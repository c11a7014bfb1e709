#include "photo_fixtures.h"

#include <QFile>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace {

// JPEG keeps flat colour well away from the edges between quarters; this leaves room for
// its rounding, but not for a swapped or inverted channel.
constexpr int kColourTolerance = 24;

// The unit test programs get no fixture path from the build; this file's own path leads there.
std::filesystem::path fixtureDirectory() {
    return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "fixtures" /
           "photos";
}

Quadrants quadrantColours(const QImage& picture) {
    const int left = picture.width() / 4;
    const int right = picture.width() * 3 / 4;
    const int top = picture.height() / 4;
    const int bottom = picture.height() * 3 / 4;
    return {picture.pixelColor(left, top), picture.pixelColor(right, top),
            picture.pixelColor(left, bottom), picture.pixelColor(right, bottom)};
}

} // namespace

QByteArray fixtureBytes(const std::string& name) {
    QFile file(QString::fromStdString((fixtureDirectory() / name).string()));
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("missing fixture " + name);
    }
    return file.readAll();
}

testing::AssertionResult showsQuadrants(const QImage& picture, const Quadrants& expected) {
    if (picture.size() != kPhotoBox) {
        return testing::AssertionFailure()
               << "picture of " << picture.width() << " x " << picture.height();
    }
    const Quadrants actual = quadrantColours(picture);
    for (std::size_t quarter = 0; quarter < actual.size(); ++quarter) {
        if (!isNear(actual[quarter], expected[quarter])) {
            return testing::AssertionFailure()
                   << "quarter " << quarter << " (top left, top right, bottom left, bottom "
                   << "right) is " << describe(actual[quarter]) << ", expected "
                   << describe(expected[quarter]);
        }
    }
    return testing::AssertionSuccess();
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
