// Bytes that do not make a picture give the administrator a reason, never a crash, a grey
// half picture or changed bytes.
#include "photo_fixtures.h"
#include "ui/staff/photo/jpeg_photo.h"

#include <gtest/gtest.h>

#include <ostream>

#include <functional>
#include <stdexcept>
#include <string>

namespace {

const std::string kNotJpeg = "照片不是JPG图片!";
const std::string kDamaged = "JPG图片已损坏，无法显示!";
const std::string kTooLarge = "JPG图片太大，无法显示!";
const std::string kUnsupported = "不支持这种JPG图片格式，无法显示!";

qsizetype startOfFrame(const QByteArray& jpeg) {
    for (const char* marker : {"\xff\xc0", "\xff\xc2"}) {
        if (const qsizetype at = jpeg.indexOf(marker); at >= 0) {
            return at;
        }
    }
    throw std::runtime_error("fixture without a frame header");
}

qsizetype startOfScanData(const QByteArray& jpeg) {
    return jpeg.indexOf("\xff\xda") + 2;
}

QByteArray withDeclaredSize(QByteArray jpeg, int width, int height) {
    const qsizetype frame = startOfFrame(jpeg);
    jpeg[frame + 5] = char(height >> 8);
    jpeg[frame + 6] = char(height & 0xff);
    jpeg[frame + 7] = char(width >> 8);
    jpeg[frame + 8] = char(width & 0xff);
    return jpeg;
}

QByteArray withPrecision(QByteArray jpeg, int bits) {
    jpeg[startOfFrame(jpeg) + 4] = char(bits);
    return jpeg;
}

// Overwrites 64 bytes in the middle of the compressed picture.
QByteArray withScanOverwritten(QByteArray jpeg, char filler) {
    const qsizetype middle = (startOfScanData(jpeg) + jpeg.size()) / 2;
    jpeg.replace(middle, 64, QByteArray(64, filler));
    return jpeg;
}

// Every scan of the fixture is at full precision, so a repeated one is no error in itself.
QByteArray withLastScanRepeated(QByteArray jpeg) {
    const qsizetype lastScan = jpeg.lastIndexOf("\xff\xda");
    const qsizetype endMarker = jpeg.size() - 2;
    jpeg.insert(endMarker, jpeg.mid(lastScan, endMarker - lastScan));
    return jpeg;
}

struct FailureCase {
    const char* what;
    std::function<QByteArray()> bytes;
    std::string message;
};

void PrintTo(const FailureCase& info, std::ostream* out) {
    *out << info.what;
}

class PhotoFailures : public testing::TestWithParam<FailureCase> {};

TEST_P(PhotoFailures, ThrowTheTextForTheAdministrator) {
    const QByteArray bytes = GetParam().bytes();
    try {
        decodeJpegForBox(bytes, kPhotoBox);
        FAIL() << "decoded";
    } catch (const std::runtime_error& failure) {
        EXPECT_EQ(failure.what(), GetParam().message);
    }
}

QByteArray baseline() {
    return fixtureBytes("baseline.jpg");
}
QByteArray progressive() {
    return fixtureBytes("progressive.jpg");
}

INSTANTIATE_TEST_SUITE_P(
    Photo, PhotoFailures,
    testing::Values(
        FailureCase{"empty", [] { return QByteArray(); }, kNotJpeg},
        FailureCase{"oneByte", [] { return QByteArray("\xff"); }, kNotJpeg},
        FailureCase{"text", [] { return QByteArray("照片.jpg 不是图片"); }, kNotJpeg},
        FailureCase{"png", [] { return QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16); },
                    kNotJpeg},
        FailureCase{"jpegWithoutItsFirstByte", [] { return baseline().mid(1); }, kNotJpeg},
        FailureCase{"onlyTheStartMarker", [] { return QByteArray("\xff\xd8"); }, kDamaged},
        FailureCase{"startMarkerThenText", [] { return QByteArray("\xff\xd8 hello"); }, kDamaged},
        FailureCase{"cutInTheHeader", [] { return baseline().left(100); }, kDamaged},
        FailureCase{"cutAtTheScan", [] { return baseline().left(startOfScanData(baseline())); },
                    kDamaged},
        FailureCase{"cutInHalf", [] { return baseline().left(baseline().size() / 2); }, kDamaged},
        FailureCase{"progressiveCutInHalf",
                    [] { return progressive().left(progressive().size() / 2); }, kDamaged},
        FailureCase{"endMarkerMissing", [] { return baseline().chopped(2); }, kDamaged},
        FailureCase{"scanZeroedInTheMiddle", [] { return withScanOverwritten(baseline(), 0); },
                    kDamaged},
        FailureCase{"scanFilledInTheMiddle",
                    [] { return withScanOverwritten(baseline(), char(0xff)); }, kDamaged},
        FailureCase{"progressiveScanZeroed", [] { return withScanOverwritten(progressive(), 0); },
                    kDamaged},
        FailureCase{"declaredZeroWide", [] { return withDeclaredSize(baseline(), 0, 240); },
                    kDamaged},
        FailureCase{"declaredBeyondLibjpeg",
                    [] { return withDeclaredSize(baseline(), 65535, 65535); }, kTooLarge},
        FailureCase{"declaredBeyondThePixelBudget",
                    [] { return withDeclaredSize(baseline(), 20000, 20000); }, kTooLarge},
        FailureCase{
            "progressiveNeedingMoreMemoryThanAllowed",
            [] { return withDeclaredSize(fixtureBytes("progressive-444.jpg"), 16000, 16000); },
            kTooLarge},
        FailureCase{"moreScansThanJpegtranWrites",
                    [] { return withLastScanRepeated(fixtureBytes("hundred-scans.jpg")); },
                    kUnsupported},
        FailureCase{"twelveBitSamples", [] { return withPrecision(baseline(), 12); },
                    kUnsupported}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(PhotoInput, BytesAreNeverChanged) {
    const QByteArray damaged = withScanOverwritten(baseline(), 0);
    for (const QByteArray& bytes :
         {baseline(), fixtureBytes("ycck.jpg"), fixtureBytes("orientation-6.jpg"), damaged}) {
        const QByteArray copy(bytes.constData(), bytes.size());
        const char* const storage = bytes.constData();
        try {
            decodeJpegForBox(bytes, kPhotoBox);
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(bytes, copy);
        EXPECT_EQ(bytes.constData(), storage);
    }
}

} // namespace
