#include "ui/staff/photo/photo_pixels.h"

#include <QTransform>

namespace {

// Multiples of 90 degrees move whole pixels; QImage does them without resampling.
QImage turnedClockwise(const QImage& picture, int degrees) {
    return picture.transformed(QTransform().rotate(degrees));
}

} // namespace

QImage orientForDisplay(const QImage& picture, int orientation) {
    switch (orientation) {
    case 2:
        return picture.mirrored(true, false);
    case 3:
        return picture.mirrored(true, true);
    case 4:
        return picture.mirrored(false, true);
    case 5:
        return turnedClockwise(picture, 90).mirrored(true, false);
    case 6:
        return turnedClockwise(picture, 90);
    case 7:
        return turnedClockwise(picture, 90).mirrored(false, true);
    case 8:
        return turnedClockwise(picture, 270);
    default:
        return picture;
    }
}
