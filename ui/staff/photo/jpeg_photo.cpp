#include "ui/staff/photo/jpeg_photo.h"

#include "ui/staff/photo/libjpeg_decode.h"
#include "ui/staff/photo/photo_pixels.h"

#include <stdexcept>

namespace {

bool startsWithImageMarker(const QByteArray& bytes) {
    return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
           static_cast<unsigned char>(bytes[1]) == 0xD8;
}

const char* failureText(JpegFailure failure) {
    switch (failure) {
    case JpegFailure::NotJpeg:
        return "照片不是JPG图片!";
    case JpegFailure::TooLarge:
        return "JPG图片太大，无法显示!";
    case JpegFailure::Unsupported:
        return "不支持这种JPG图片格式，无法显示!";
    default:
        return "JPG图片已损坏，无法显示!";
    }
}

// Runs inside the libjpeg session, which cannot let an exception pass.
unsigned char* allocateRgbxRows(void* context, int width, int height,
                                std::size_t* bytesPerLine) noexcept {
    try {
        auto* picture = static_cast<QImage*>(context);
        *picture = QImage(width, height, QImage::Format_RGBX8888);
        if (picture->isNull()) {
            return nullptr;
        }
        *bytesPerLine = static_cast<std::size_t>(picture->bytesPerLine());
        return picture->bits();
    } catch (...) {
        return nullptr;
    }
}

} // namespace

QImage decodeJpegForBox(const QByteArray& bytes, QSize box) {
    if (!startsWithImageMarker(bytes)) {
        throw std::runtime_error(failureText(JpegFailure::NotJpeg));
    }
    QImage decoded;
    JpegDecodeJob job;
    job.data = reinterpret_cast<const unsigned char*>(bytes.constData());
    job.size = static_cast<std::size_t>(bytes.size());
    job.boxWidth = box.width();
    job.boxHeight = box.height();
    job.allocateRows = allocateRgbxRows;
    job.allocatorContext = &decoded;
    decodeJpegScaled(&job);
    if (job.failure != JpegFailure::None) {
        throw std::runtime_error(failureText(job.failure));
    }
    if (job.samples == JpegSamples::Cmyk) {
        convertCmykToRgbx(decoded, job.adobeInverted);
    }
    if (box.isEmpty()) {
        return QImage();
    }
    const QSize storedBox = isQuarterTurned(job.orientation) ? box.transposed() : box;
    const QImage scaled =
        decoded.scaled(storedBox, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return orientForDisplay(scaled, job.orientation);
}
