// Every way a photo's colours can be stored comes out as the same four colours, at the size
// of the box.
#include "photo_fixtures.h"
#include "ui/staff/photo/jpeg_photo.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);
const QColor kBlue(0, 0, 255);
const QColor kWhite(255, 255, 255);

struct ColourCase {
    const char* fixture;
    Quadrants expected;
};

void PrintTo(const ColourCase& info, std::ostream* out) {
    *out << info.fixture;
}

const Quadrants kColourQuadrants{kRed, kGreen, kBlue, kWhite};

class ColourSpaces : public testing::TestWithParam<ColourCase> {};

TEST_P(ColourSpaces, DecodeToTheBoxWithTheirColours) {
    EXPECT_TRUE(showsQuadrants(decodeJpegForBox(fixtureBytes(GetParam().fixture), kPhotoBox),
                               GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(PhotoFixtures, ColourSpaces,
                         testing::Values(ColourCase{"baseline.jpg", kColourQuadrants},
                                         ColourCase{"progressive.jpg", kColourQuadrants},
                                         ColourCase{"progressive-444.jpg", kColourQuadrants},
                                         ColourCase{"hundred-scans.jpg", kColourQuadrants},
                                         ColourCase{"rgb.jpg", kColourQuadrants},
                                         ColourCase{"ycck.jpg", kColourQuadrants},
                                         ColourCase{"cmyk-adobe.jpg", kColourQuadrants},
                                         ColourCase{"cmyk-plain.jpg", kColourQuadrants},
                                         ColourCase{"greyscale.jpg",
                                                    {QColor(0, 0, 0), QColor(85, 85, 85),
                                                     QColor(170, 170, 170), kWhite}}),
                         [](const auto& info) {
                             std::string name = info.param.fixture;
                             name = name.substr(0, name.find('.'));
                             std::erase(name, '-');
                             return name;
                         });

TEST(PhotoBoxSize, PictureTakesTheSizeOfAnyBox) {
    const QByteArray baseline = fixtureBytes("baseline.jpg");
    for (const QSize box : {QSize(74, 98), QSize(1, 1), QSize(320, 240), QSize(700, 30)}) {
        EXPECT_EQ(decodeJpegForBox(baseline, box).size(), box);
    }
}

TEST(PhotoBoxSize, OnePixelPictureFillsTheBox) {
    const QImage picture = decodeJpegForBox(fixtureBytes("one-pixel.jpg"), kPhotoBox);
    ASSERT_EQ(picture.size(), kPhotoBox);
    for (const QPoint corner : {QPoint(0, 0), QPoint(73, 0), QPoint(0, 97), QPoint(73, 97)}) {
        EXPECT_TRUE(isNear(picture.pixelColor(corner), kRed))
            << describe(picture.pixelColor(corner));
    }
}

TEST(PhotoBoxSize, EmptyBoxGivesNoPictureButStillChecksTheBytes) {
    EXPECT_TRUE(decodeJpegForBox(fixtureBytes("baseline.jpg"), QSize(0, 0)).isNull());
    EXPECT_THROW(decodeJpegForBox(QByteArray("not a photo"), QSize(0, 0)), std::runtime_error);
}

} // namespace
