#include "ui/staff/photo/jpeg_photo.h"

#include <cstddef>
#include <cstdint>
#include <optional>

// The payload comes from whoever wrote the photo, so every offset in it is checked against
// its end before it is followed.
namespace {

constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kShortType = 3;
constexpr std::size_t kExifHeaderLength = 6; // "Exif\0\0"
constexpr std::size_t kTiffHeaderLength = 8;
constexpr std::size_t kIfdEntryLength = 12;

class TiffReader {
public:
    TiffReader(QByteArrayView tiff, bool bigEndian) : tiff_(tiff), bigEndian_(bigEndian) {}

    std::optional<std::uint16_t> u16(std::size_t offset) const {
        if (offset > size() || size() - offset < 2) {
            return std::nullopt;
        }
        const std::uint16_t first = byte(offset);
        const std::uint16_t second = byte(offset + 1);
        return static_cast<std::uint16_t>(bigEndian_ ? (first << 8) | second
                                                     : (second << 8) | first);
    }

    std::optional<std::uint32_t> u32(std::size_t offset) const {
        const auto low = u16(offset + (bigEndian_ ? 2 : 0));
        const auto high = u16(offset + (bigEndian_ ? 0 : 2));
        if (!low || !high) {
            return std::nullopt;
        }
        return (std::uint32_t{*high} << 16) | *low;
    }

    std::size_t size() const { return static_cast<std::size_t>(tiff_.size()); }

private:
    std::uint8_t byte(std::size_t offset) const {
        return static_cast<std::uint8_t>(tiff_[static_cast<qsizetype>(offset)]);
    }

    QByteArrayView tiff_;
    bool bigEndian_;
};

std::optional<TiffReader> openTiff(QByteArrayView app1Payload) {
    if (!app1Payload.startsWith(QByteArrayView("Exif\0\0", kExifHeaderLength))) {
        return std::nullopt;
    }
    const QByteArrayView tiff = app1Payload.sliced(kExifHeaderLength);
    if (tiff.size() < static_cast<qsizetype>(kTiffHeaderLength)) {
        return std::nullopt;
    }
    const bool bigEndian = tiff.startsWith("MM");
    if (!bigEndian && !tiff.startsWith("II")) {
        return std::nullopt;
    }
    TiffReader reader(tiff, bigEndian);
    if (reader.u16(2) != 42) {
        return std::nullopt;
    }
    return reader;
}

int orientationFromEntry(const TiffReader& tiff, std::size_t entry) {
    if (tiff.u16(entry + 2) != kShortType || tiff.u32(entry + 4) != 1) {
        return 1;
    }
    const auto value = tiff.u16(entry + 8);
    return value && *value >= 1 && *value <= 8 ? *value : 1;
}

} // namespace

int exifOrientation(QByteArrayView app1Payload) {
    const auto tiff = openTiff(app1Payload);
    if (!tiff) {
        return 1;
    }
    const auto ifdOffset = tiff->u32(4);
    const auto entryCount = ifdOffset ? tiff->u16(*ifdOffset) : std::nullopt;
    if (!entryCount) {
        return 1;
    }
    const std::size_t firstEntry = std::size_t{*ifdOffset} + 2;
    for (std::size_t index = 0; index < *entryCount; ++index) {
        const std::size_t entry = firstEntry + index * kIfdEntryLength;
        const auto tag = tiff->u16(entry);
        if (!tag || entry + kIfdEntryLength > tiff->size()) {
            return 1;
        }
        if (*tag == kOrientationTag) {
            return orientationFromEntry(*tiff, entry);
        }
    }
    return 1;
}
