#include "ui/staff/photo/photo_pixels.h"

#include <cstdint>

namespace {

// An ink of 255 (inverted) lets all light through; multiplying two of them keeps the
// product in 0..255.
std::uint8_t lightThrough(unsigned inkClear, unsigned blackClear) {
    return static_cast<std::uint8_t>((inkClear * blackClear + 127) / 255);
}

void convertPixel(std::uint8_t* pixel, bool adobeInverted) {
    const unsigned flip = adobeInverted ? 0 : 255;
    const unsigned cyanClear = pixel[0] ^ flip;
    const unsigned magentaClear = pixel[1] ^ flip;
    const unsigned yellowClear = pixel[2] ^ flip;
    const unsigned blackClear = pixel[3] ^ flip;
    pixel[0] = lightThrough(cyanClear, blackClear);
    pixel[1] = lightThrough(magentaClear, blackClear);
    pixel[2] = lightThrough(yellowClear, blackClear);
    pixel[3] = 255;
}

} // namespace

void convertCmykToRgbx(QImage& picture, bool adobeInverted) {
    for (int y = 0; y < picture.height(); ++y) {
        std::uint8_t* pixel = picture.scanLine(y);
        for (int x = 0; x < picture.width(); ++x, pixel += 4) {
            convertPixel(pixel, adobeInverted);
        }
    }
}
