// Phone photos carry their turn in the EXIF orientation tag; the stored bytes stay as they
// are and only the picture shown is turned.
#include "photo_fixtures.h"
#include "ui/staff/photo/jpeg_photo.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>

namespace {

// Stored quarters, clockwise from top left: red, green, white, blue.
const QColor R(255, 0, 0);
const QColor G(0, 255, 0);
const QColor B(0, 0, 255);
const QColor W(255, 255, 255);

struct OrientationCase {
    int orientation;
    Quadrants shown; // top left, top right, bottom left, bottom right
};

void PrintTo(const OrientationCase& info, std::ostream* out) {
    *out << "orientation " << info.orientation;
}

class ExifOrientation : public testing::TestWithParam<OrientationCase> {};

TEST_P(ExifOrientation, TurnsThePictureShown) {
    const std::string fixture = "orientation-" + std::to_string(GetParam().orientation) + ".jpg";
    EXPECT_TRUE(
        showsQuadrants(decodeJpegForBox(fixtureBytes(fixture), kPhotoBox), GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    PhotoFixtures, ExifOrientation,
    testing::Values(OrientationCase{1, {R, G, B, W}}, OrientationCase{2, {G, R, W, B}},
                    OrientationCase{3, {W, B, G, R}}, OrientationCase{4, {B, W, R, G}},
                    OrientationCase{5, {R, B, G, W}}, OrientationCase{6, {B, R, W, G}},
                    OrientationCase{7, {W, G, B, R}}, OrientationCase{8, {G, W, R, B}}),
    [](const auto& info) { return "orientation" + std::to_string(info.param.orientation); });

TEST(PhotoExifPlacement, ExifInAnApp0SegmentCountsToo) {
    QByteArray jpeg = fixtureBytes("orientation-6.jpg");
    ASSERT_EQ(jpeg.mid(2, 2), QByteArray("\xff\xe1"));
    jpeg[3] = char(0xe0);
    EXPECT_TRUE(showsQuadrants(decodeJpegForBox(jpeg, kPhotoBox), {B, R, W, G}));
}

} // namespace
