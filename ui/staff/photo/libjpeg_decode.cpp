#include "ui/staff/photo/libjpeg_decode.h"

#include "ui/staff/photo/jpeg_photo.h"

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio> // jpeglib.h uses FILE without declaring it
#include <cstring>

#include <jerror.h>
#include <jpeglib.h>

// libjpeg leaves an error by longjmp. That skips the destructor of every C++ object alive in
// the frames it crosses, and leaves the locals that the frame calling setjmp changed in the
// meantime indeterminate. So readInto, the one function calling setjmp, holds nothing but
// pointers it never changes, and the libjpeg state lives in a JpegSession owned by its caller,
// which destroys it once readInto has returned either way. The functions libjpeg runs while
// decoding (the error manager, the scan limit, the allocator) hold only plain data too.

namespace {

constexpr std::int64_t kMaxDeclaredPixels = std::int64_t{1} << 28; // a 16384 × 16384 picture
// A progressive picture keeps all its coefficients in memory until the last scan.
constexpr long kLibjpegMemoryLimit = 1L << 30;
// Cameras write about ten scans and jpegtran at most 100; each scan walks the whole picture
// again, so a file of thousands would hold the window for minutes.
constexpr int kMaxScans = 100;
constexpr unsigned kLongestMarker = 0xFFFF;
constexpr JDIMENSION kRowsPerRead = 4;

struct EscapingErrors {
    jpeg_error_mgr pub; // first, so the pointer libjpeg keeps points at the whole struct
    std::jmp_buf escape;
    JpegFailure failure;
};

struct JpegSession {
    jpeg_decompress_struct cinfo;
    EscapingErrors errors;
    jpeg_progress_mgr progress;
};

JpegFailure failureForError(int messageCode) {
    switch (messageCode) {
    case JERR_NO_SOI:
        return JpegFailure::NotJpeg;
    case JERR_IMAGE_TOO_BIG:
    case JERR_WIDTH_OVERFLOW:
    case JERR_OUT_OF_MEMORY:
    case JERR_NO_BACKING_STORE:
        return JpegFailure::TooLarge;
    case JERR_BAD_PRECISION:
    case JERR_SOF_UNSUPPORTED:
    case JERR_CONVERSION_NOTIMPL:
    case JERR_NOT_COMPILED:
        return JpegFailure::Unsupported;
    default:
        return JpegFailure::Corrupt;
    }
}

// libjpeg goes on after a damaged or missing stretch of data and paints it grey; every
// warning but these few means the picture shown would not be the one stored.
bool isHarmlessWarning(int messageCode) {
    switch (messageCode) {
    case JWRN_EXTRANEOUS_DATA: // padding some cameras leave between the scan and its marker
    case JWRN_JFIF_MAJOR:
    case JWRN_ADOBE_XFORM:
    case JWRN_BOGUS_ICC:
        return true;
    default:
        return false;
    }
}

[[noreturn]] void escapeWith(j_common_ptr cinfo, JpegFailure failure) {
    auto* errors = reinterpret_cast<EscapingErrors*>(cinfo->err);
    errors->failure = failure;
    std::longjmp(errors->escape, 1);
}

void escapeOnError(j_common_ptr cinfo) {
    escapeWith(cinfo, failureForError(cinfo->err->msg_code));
}

void escapeOnDamage(j_common_ptr cinfo, int messageLevel) {
    const bool isWarning = messageLevel < 0;
    if (isWarning && !isHarmlessWarning(cinfo->err->msg_code)) {
        escapeWith(cinfo, JpegFailure::Corrupt);
    }
}

void stayQuiet(j_common_ptr) {}

void limitScans(j_common_ptr cinfo) {
    if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans) {
        escapeWith(cinfo, JpegFailure::Unsupported);
    }
}

void prepareSession(JpegSession* session) {
    jpeg_decompress_struct* cinfo = &session->cinfo;
    cinfo->err = jpeg_std_error(&session->errors.pub);
    session->errors.pub.error_exit = escapeOnError;
    session->errors.pub.emit_message = escapeOnDamage;
    session->errors.pub.output_message = stayQuiet;
    session->progress.progress_monitor = limitScans;
}

// EXIF belongs in APP1; a few writers put it in APP0 instead, where its own name still tells
// it apart from JFIF.
bool isExifPayload(const jpeg_saved_marker_ptr marker) {
    const bool isApp0OrApp1 = marker->marker == JPEG_APP0 || marker->marker == JPEG_APP0 + 1;
    return isApp0OrApp1 && marker->data_length >= 6 &&
           std::memcmp(marker->data, "Exif\0\0", 6) == 0;
}

int orientationFromMarkers(jpeg_saved_marker_ptr marker) {
    for (; marker != nullptr; marker = marker->next) {
        if (isExifPayload(marker)) {
            return exifOrientation(QByteArrayView(marker->data, marker->data_length));
        }
    }
    return 1;
}

JpegFailure checkHeader(const jpeg_decompress_struct* cinfo) {
    const std::int64_t declaredPixels = std::int64_t{cinfo->image_width} * cinfo->image_height;
    if (declaredPixels > kMaxDeclaredPixels) {
        return JpegFailure::TooLarge;
    }
    // Two components, or more than four: nothing libjpeg can turn into colours.
    if (cinfo->jpeg_color_space == JCS_UNKNOWN) {
        return JpegFailure::Unsupported;
    }
    return JpegFailure::None;
}

void chooseOutput(jpeg_decompress_struct* cinfo, JpegDecodeJob* job) {
    const bool isCmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    // libjpeg turns YCCK into CMYK itself but has no CMYK to RGB conversion.
    cinfo->out_color_space = isCmyk ? JCS_CMYK : JCS_EXT_RGBX;
    job->samples = isCmyk ? JpegSamples::Cmyk : JpegSamples::Rgbx;
    job->adobeInverted = cinfo->saw_Adobe_marker;
    job->orientation = orientationFromMarkers(cinfo->marker_list);
    const QSize stored(static_cast<int>(cinfo->image_width), static_cast<int>(cinfo->image_height));
    const QSize box(job->boxWidth, job->boxHeight);
    cinfo->scale_num =
        static_cast<unsigned>(dctScaleNumerator(stored, box, isQuarterTurned(job->orientation)));
    cinfo->scale_denom = kDctScaleDenominator;
}

void readRows(jpeg_decompress_struct* cinfo, unsigned char* firstRow, std::size_t bytesPerLine) {
    JSAMPROW batch[kRowsPerRead];
    while (cinfo->output_scanline < cinfo->output_height) {
        const JDIMENSION first = cinfo->output_scanline;
        const JDIMENSION count = std::min(kRowsPerRead, cinfo->output_height - first);
        for (JDIMENSION index = 0; index < count; ++index) {
            batch[index] = firstRow + (std::size_t{first} + index) * bytesPerLine;
        }
        jpeg_read_scanlines(cinfo, batch, count);
    }
}

JpegFailure readInto(JpegSession* const session, JpegDecodeJob* const job) {
    jpeg_decompress_struct* const cinfo = &session->cinfo;
    if (setjmp(session->errors.escape) != 0) {
        return session->errors.failure;
    }
    jpeg_create_decompress(cinfo);
    cinfo->mem->max_memory_to_use = kLibjpegMemoryLimit;
    cinfo->progress = &session->progress;
    jpeg_mem_src(cinfo, job->data, static_cast<unsigned long>(job->size));
    // Kept markers are still read by libjpeg itself: JFIF and Adobe lose nothing by it.
    jpeg_save_markers(cinfo, JPEG_APP0, kLongestMarker);
    jpeg_save_markers(cinfo, JPEG_APP0 + 1, kLongestMarker);
    jpeg_read_header(cinfo, TRUE);
    if (const JpegFailure refused = checkHeader(cinfo); refused != JpegFailure::None) {
        return refused;
    }
    chooseOutput(cinfo, job);
    jpeg_calc_output_dimensions(cinfo);
    std::size_t bytesPerLine = 0;
    unsigned char* const firstRow =
        job->allocateRows(job->allocatorContext, static_cast<int>(cinfo->output_width),
                          static_cast<int>(cinfo->output_height), &bytesPerLine);
    if (firstRow == nullptr) {
        return JpegFailure::TooLarge;
    }
    jpeg_start_decompress(cinfo);
    readRows(cinfo, firstRow, bytesPerLine);
    // No jpeg_finish_decompress: every row is in, and what follows the scan changes nothing.
    return JpegFailure::None;
}

} // namespace

void decodeJpegScaled(JpegDecodeJob* job) noexcept {
    JpegSession session{};
    prepareSession(&session);
    job->failure = readInto(&session, job);
    jpeg_destroy_decompress(&session.cinfo);
}
