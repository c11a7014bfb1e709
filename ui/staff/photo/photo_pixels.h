// Pixel work done after libjpeg has finished, on the decoded picture.
#pragma once

#include <QImage>

// `picture` holds four CMYK bytes per pixel in a Format_RGBX8888 image; they become RGB.
// Photoshop stores the inks inverted and says so with its Adobe marker.
void convertCmykToRgbx(QImage& picture, bool adobeInverted);

// Turns or mirrors the picture as EXIF orientation 1 to 8 asks for display.
QImage orientForDisplay(const QImage& picture, int orientation);
