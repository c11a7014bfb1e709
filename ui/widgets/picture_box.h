// Image1: shows a photo stretched to its box and keeps the exact JPEG bytes it was given, so
// that saving writes them back unchanged.
#pragma once

#include <QByteArray>
#include <QLabel>

class PictureBox : public QLabel {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    void clearPicture();
    // Throws std::runtime_error when the bytes do not decode; the box is then empty.
    void showJpeg(const QByteArray& bytes);
    bool hasPicture() const { return !jpegBytes_.isEmpty(); }
    const QByteArray& jpegBytes() const { return jpegBytes_; }

private:
    QByteArray jpegBytes_;
};
