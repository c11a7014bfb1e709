// libjpeg used the plain way, as the yardsticks the photo decoder is measured against.
#pragma once

#include <QByteArray>
#include <QImage>

// Decodes at scaleNumerator / 8 into RGBX; a null image when the bytes do not decode.
QImage decodePlainly(const QByteArray& jpeg, int scaleNumerator);
