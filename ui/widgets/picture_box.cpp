#include "ui/widgets/picture_box.h"

#include "ui/staff/photo/jpeg_photo.h"

#include <QPixmap>

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) {
    setScaledContents(true);
    setAlignment(Qt::AlignCenter);
}

void PictureBox::clearPicture() {
    jpegBytes_.clear();
    clear();
}

void PictureBox::showJpeg(const QByteArray& bytes) {
    clearPicture();
    QImage picture = decodeJpegForBox(bytes, size());
    jpegBytes_ = bytes;
    setPixmap(QPixmap::fromImage(std::move(picture)));
}
