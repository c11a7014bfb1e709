// libjpeg's output is the stored size times numerator / 8, rounded up; the smallest numerator
// whose output still covers the box is the cheapest decode that loses nothing.
#include "ui/staff/photo/jpeg_photo.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct ScaleCase {
    const char* what;
    QSize stored;
    QSize box;
    bool quarterTurned;
    int numerator;
};

void PrintTo(const ScaleCase& info, std::ostream* out) {
    *out << info.what;
}

class DctScale : public testing::TestWithParam<ScaleCase> {};

TEST_P(DctScale, IsTheSmallestThatCoversTheBox) {
    EXPECT_EQ(dctScaleNumerator(GetParam().stored, GetParam().box, GetParam().quarterTurned),
              GetParam().numerator);
}

const QSize kBox(74, 98);

INSTANTIATE_TEST_SUITE_P(
    PhotoScale, DctScale,
    testing::Values(ScaleCase{"camera4000x3000", {4000, 3000}, kBox, false, 1},
                    ScaleCase{"exactlyEightTimesTheBox", {592, 784}, kBox, false, 1},
                    ScaleCase{"roundedUpStillCovers", {585, 777}, kBox, false, 1},
                    ScaleCase{"onePixelShortAtAnEighth", {584, 784}, kBox, false, 2},
                    ScaleCase{"vga", {640, 480}, kBox, false, 2},
                    ScaleCase{"fixture320x240", {320, 240}, kBox, false, 4},
                    ScaleCase{"fixture320x240Turned", {320, 240}, kBox, true, 3},
                    ScaleCase{"turnedPhoneShot", {784, 592}, kBox, true, 1},
                    ScaleCase{"turnedPhoneShotNotTurned", {784, 592}, kBox, false, 2},
                    ScaleCase{"justTheBox", {74, 98}, kBox, false, 8},
                    ScaleCase{"smallerThanTheBox", {50, 60}, kBox, false, 13},
                    ScaleCase{"onePixel", {1, 1}, kBox, false, 16},
                    ScaleCase{"emptyBox", {4000, 3000}, {0, 0}, false, 1}),
    [](const auto& info) { return std::string(info.param.what); });

} // namespace
