// The EXIF block comes from whoever made the photo: whatever it holds, reading it stays
// inside it and falls back to "not turned".
#include "ui/staff/photo/jpeg_photo.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>

namespace {

using namespace std::string_literals;

// "Exif\0\0", a TIFF header whose first directory starts at `ifdOffset`, then `rest`.
std::string exifPayload(bool bigEndian, const std::string& ifdOffset, const std::string& rest) {
    return "Exif\0\0"s + (bigEndian ? "MM\0\x2a"s : "II\x2a\0"s) + ifdOffset + rest;
}

const std::string kMotorolaOffset8 = "\0\0\0\x08"s;
const std::string kIntelOffset8 = "\x08\0\0\0"s;

// One directory entry, tag 0x0112, type SHORT, count 1.
std::string motorolaOrientation(char value) {
    return "\0\x01"s + "\x01\x12\0\x03\0\0\0\x01\0"s + value + "\0\0"s + "\0\0\0\0"s;
}
std::string intelOrientation(char value) {
    return "\x01\0"s + "\x12\x01\x03\0\x01\0\0\0"s + value + "\0\0\0"s + "\0\0\0\0"s;
}

struct PayloadCase {
    const char* what;
    std::string payload;
    int orientation;
};

void PrintTo(const PayloadCase& info, std::ostream* out) {
    *out << info.what;
}

class ExifPayload : public testing::TestWithParam<PayloadCase> {};

TEST_P(ExifPayload, GivesTheOrientationOrOne) {
    const std::string& payload = GetParam().payload;
    EXPECT_EQ(exifOrientation(QByteArrayView(payload.data(), qsizetype(payload.size()))),
              GetParam().orientation);
}

// Entries ahead of the orientation, and a directory placed after some other data.
const std::string kTwoEntriesMotorola = "\0\x02"s + "\x01\x0f\0\x02\0\0\0\x04SONY"s +
                                        "\x01\x12\0\x03\0\0\0\x01\0\x06\0\0"s + "\0\0\0\0"s;

INSTANTIATE_TEST_SUITE_P(
    PhotoExif, ExifPayload,
    testing::Values(
        PayloadCase{"motorola6", exifPayload(true, kMotorolaOffset8, motorolaOrientation(6)), 6},
        PayloadCase{"intel8", exifPayload(false, kIntelOffset8, intelOrientation(8)), 8},
        PayloadCase{"intel3", exifPayload(false, kIntelOffset8, intelOrientation(3)), 3},
        PayloadCase{"orientationAfterAnotherTag",
                    exifPayload(true, kMotorolaOffset8, kTwoEntriesMotorola), 6},
        PayloadCase{"directoryFurtherOn",
                    exifPayload(true, "\0\0\0\x0c"s, "pad!"s + motorolaOrientation(5)), 5},
        PayloadCase{"valueZero", exifPayload(true, kMotorolaOffset8, motorolaOrientation(0)), 1},
        PayloadCase{"valueNine", exifPayload(true, kMotorolaOffset8, motorolaOrientation(9)), 1},
        PayloadCase{"wrongByteOrderForValues",
                    exifPayload(false, kIntelOffset8, motorolaOrientation(6)), 1},
        PayloadCase{"typeLongNotShort",
                    exifPayload(true, kMotorolaOffset8,
                                "\0\x01\x01\x12\0\x04\0\0\0\x01\0\0\0\x06\0\0\0\0"s),
                    1},
        PayloadCase{"notExif", "XMP\0\0\0MM\0\x2a\0\0\0\x08"s + motorolaOrientation(6), 1},
        PayloadCase{"empty", ""s, 1}, PayloadCase{"headerOnly", "Exif\0\0"s, 1},
        PayloadCase{"badByteOrderMark", "Exif\0\0XX\0\x2a\0\0\0\x08"s + motorolaOrientation(6), 1},
        PayloadCase{"badMagic", "Exif\0\0MM\0\x2b\0\0\0\x08"s + motorolaOrientation(6), 1},
        PayloadCase{"directoryBeyondTheEnd",
                    exifPayload(true, "\xff\xff\xff\xf0"s, motorolaOrientation(6)), 1},
        PayloadCase{"directoryOffsetOnTheLastByte",
                    exifPayload(true, "\0\0\0\x1a"s, motorolaOrientation(6)), 1},
        PayloadCase{"entryCountBeyondTheEnd",
                    exifPayload(true, kMotorolaOffset8, "\xff\xff\x01\x0f\0\x02"s), 1},
        PayloadCase{"entryCutShort",
                    exifPayload(true, kMotorolaOffset8, "\0\x01\x01\x12\0\x03\0\0\0\x01\0"s), 1}),
    [](const auto& info) { return std::string(info.param.what); });

} // namespace
