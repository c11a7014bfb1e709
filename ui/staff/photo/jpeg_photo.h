// Photos are JPEG files kept byte for byte in the database; this turns them into a picture of
// the photo box's size without ever re-encoding them.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

// Decodes `bytes` at the smallest DCT scale that still covers `box`, honours the EXIF
// orientation, and scales smoothly to exactly `box`. Throws std::runtime_error with a text
// the administrator can read when the bytes are not a JPEG image or do not decode.
QImage decodeJpegForBox(const QByteArray& bytes, QSize box);
