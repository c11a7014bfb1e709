#include "ui/staff/photo/jpeg_photo.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr int kLargestDctScaleNumerator = 16;

// libjpeg rounds a scaled dimension up, so a partly covered DCT block still yields a pixel.
std::int64_t scaledLength(int storedLength, int numerator) {
    const std::int64_t product = std::int64_t{storedLength} * numerator;
    return (product + kDctScaleDenominator - 1) / kDctScaleDenominator;
}

} // namespace

int dctScaleNumerator(QSize storedSize, QSize box, bool quarterTurned) {
    const QSize target = quarterTurned ? box.transposed() : box;
    const int neededWidth = std::max(target.width(), 1);
    const int neededHeight = std::max(target.height(), 1);
    for (int numerator = 1; numerator < kLargestDctScaleNumerator; ++numerator) {
        if (scaledLength(storedSize.width(), numerator) >= neededWidth &&
            scaledLength(storedSize.height(), numerator) >= neededHeight) {
            return numerator;
        }
    }
    return kLargestDctScaleNumerator;
}
