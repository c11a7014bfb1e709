// Photos are JPEG files kept byte for byte in the database; this turns them into a picture of
// the photo box's size without ever re-encoding them.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QSize>

// Decodes `bytes` at the smallest DCT scale that still covers `box`, honours the EXIF
// orientation, and scales smoothly to exactly `box`. Throws std::runtime_error with a text
// the administrator can read when the bytes are not a JPEG image or do not decode.
// An empty box still checks the bytes, and then gives a null image.
QImage decodeJpegForBox(const QByteArray& bytes, QSize box);

// libjpeg scales while decoding by numerator / 8, the numerator running from 1 to 16.
inline constexpr int kDctScaleDenominator = 8;

// The smallest numerator whose output still covers `box` in both directions; `quarterTurned`
// says that the picture is shown turned by 90 or 270 degrees, so the stored width faces the
// box's height. A picture too small to cover the box even at 16/8 gets 16/8.
int dctScaleNumerator(QSize storedSize, QSize box, bool quarterTurned);

// The orientation (1 to 8) that an APP1 payload starting with "Exif\0\0" gives its picture;
// 1 when the payload is something else or the tag is missing, damaged or out of range.
int exifOrientation(QByteArrayView app1Payload);

// Orientations 5 to 8 show the stored rows as columns.
inline bool isQuarterTurned(int orientation) {
    return orientation >= 5 && orientation <= 8;
}
