#include "plain_decode.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h uses FILE without declaring it

#include <jpeglib.h>

// As in the decoder itself: longjmp skips destructors, so the frame that calls setjmp holds
// only pointers it never changes, and the QImage is owned by the caller.
namespace {

struct EscapingErrors {
    jpeg_error_mgr pub;
    std::jmp_buf escape;
};

void escape(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<EscapingErrors*>(cinfo->err)->escape, 1);
}

bool decodeInto(jpeg_decompress_struct* const cinfo, EscapingErrors* const errors,
                const QByteArray* const jpeg, int scaleNumerator, QImage* const picture) {
    if (setjmp(errors->escape) != 0) {
        return false;
    }
    jpeg_create_decompress(cinfo);
    jpeg_mem_src(cinfo, reinterpret_cast<const unsigned char*>(jpeg->constData()),
                 static_cast<unsigned long>(jpeg->size()));
    jpeg_read_header(cinfo, TRUE);
    cinfo->scale_num = static_cast<unsigned>(scaleNumerator);
    cinfo->scale_denom = 8;
    cinfo->out_color_space = JCS_EXT_RGBX;
    jpeg_start_decompress(cinfo);
    *picture = QImage(static_cast<int>(cinfo->output_width), static_cast<int>(cinfo->output_height),
                      QImage::Format_RGBX8888);
    while (cinfo->output_scanline < cinfo->output_height) {
        JSAMPROW row = picture->scanLine(static_cast<int>(cinfo->output_scanline));
        jpeg_read_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

} // namespace

QImage decodePlainly(const QByteArray& jpeg, int scaleNumerator) {
    jpeg_decompress_struct cinfo{};
    EscapingErrors errors{};
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = escape;
    QImage picture;
    const bool decoded = decodeInto(&cinfo, &errors, &jpeg, scaleNumerator, &picture);
    jpeg_destroy_decompress(&cinfo);
    return decoded ? picture : QImage();
}
