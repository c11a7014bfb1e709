#include "ui/widgets/picture_box.h"

#include "ui/staff/photo/jpeg_photo.h"

#include <QPixmap>
#include <stdexcept>

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) {
    setScaledContents(true);
    setAlignment(Qt::AlignCenter);
}

void PictureBox::clearPicture() {
    jpegBytes_.clear();
    clear();
}

void PictureBox::showJpeg(const QByteArray& bytes) {
    // Cleared first: whatever goes wrong below, the box must not go on showing the old photo,
    // or the next save would write it into somebody else's row.
    clearPicture();
    QImage picture = decodeJpegForBox(bytes, size());
    if (picture.isNull())
        throw std::runtime_error("照片无法显示：图像解码后为空。");
    jpegBytes_ = bytes;
    setPixmap(QPixmap::fromImage(std::move(picture)));
}
