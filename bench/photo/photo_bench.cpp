// A 4000 × 3000 camera photo prepared for the 74 × 98 photo box. Entropy decoding of the
// whole file is the floor no DCT scale removes, so libjpeg's own 1/8 decode is the anchor
// (in process, and as the djpeg command); the naive way decodes at full size and then scales.
//
//   photo_bench [rounds]     (default 15; needs ImageMagick's convert and djpeg on PATH)
#include "plain_decode.h"
#include "timing.h"
#include "ui/staff/photo/jpeg_photo.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace {

const QSize kPhotoBox(74, 98);

// Smooth plasma enlarged from a small one, with grain on top: the detail and noise of a
// camera photo, quality 90 with the usual 4:2:0 chroma.
QByteArray makeCameraPhoto(const QString& path) {
    const Timing made =
        timeCommand({"convert", "-size", "500x375", "-seed", "42", "plasma:fractal", "-resize",
                     "4000x3000!", "-attenuate", "0.5", "+noise", "Gaussian", "-sampling-factor",
                     "2x2", "-quality", "90", path.toStdString()});
    std::printf("made the photo in %.0f ms\n", made.wallMs);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("cannot read " + path.toStdString());
    }
    return file.readAll();
}

volatile unsigned gSink = 0; // keeps the optimiser from dropping the decoded pictures

void keep(const QImage& picture) {
    if (picture.isNull()) {
        throw std::runtime_error("a decode failed");
    }
    gSink = gSink + picture.constBits()[0];
}

struct Contestants {
    std::function<void()> anchor;
    std::function<void()> ours;
    std::function<void()> naive;
    std::vector<std::string> djpeg;
};

struct Results {
    std::vector<Timing> anchor, ours, naive, djpeg;
};

// Rounds interleave the four so that a busy spell on the machine hits all of them alike.
Results measure(const Contestants& contestants, int rounds) {
    Results results;
    for (int round = 0; round <= rounds; ++round) {
        const Timing anchor = timeInProcess(contestants.anchor);
        const Timing ours = timeInProcess(contestants.ours);
        const Timing naive = timeInProcess(contestants.naive);
        const Timing djpeg = timeCommand(contestants.djpeg);
        if (round == 0) {
            continue; // warming caches and the dynamic loader
        }
        results.anchor.push_back(anchor);
        results.ours.push_back(ours);
        results.naive.push_back(naive);
        results.djpeg.push_back(djpeg);
    }
    return results;
}

void printRow(const char* what, const Medians& medians) {
    std::printf("  %-40s %9.1f %9.1f\n", what, medians.cpuMs, medians.wallMs);
}

void printRatio(const char* what, double ratio, const char* target, bool met) {
    std::printf("  %-40s %6.2f×   target %s: %s\n", what, ratio, target, met ? "met" : "MISSED");
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    QTemporaryDir scratch;
    const QString path = scratch.filePath("camera.jpg");
    const QByteArray photo = makeCameraPhoto(path);

    const Contestants contestants{
        [&] { keep(decodePlainly(photo, 1)); },
        [&] { keep(decodeJpegForBox(photo, kPhotoBox)); },
        [&] {
            keep(decodePlainly(photo, 8).scaled(kPhotoBox, Qt::IgnoreAspectRatio,
                                                Qt::SmoothTransformation));
        },
        {"djpeg", "-scale", "1/8", "-outfile", "/dev/null", path.toStdString()}};
    const Results results = measure(contestants, rounds);

    const Medians anchor = mediansOf(results.anchor);
    const Medians djpeg = mediansOf(results.djpeg);
    const Medians ours = mediansOf(results.ours);
    const Medians naive = mediansOf(results.naive);
    std::printf("4000 × 3000, %.1f MB, into %d × %d; medians of %d rounds\n",
                double(photo.size()) / 1e6, kPhotoBox.width(), kPhotoBox.height(), rounds);
    std::printf("  %-40s %9s %9s\n", "", "CPU ms", "wall ms");
    printRow("libjpeg 1/8 decode, in process (anchor)", anchor);
    printRow("djpeg -scale 1/8 -outfile /dev/null", djpeg);
    printRow("decodeJpegForBox", ours);
    printRow("full-size decode, then smooth scale", naive);
    std::printf("ratios of CPU time:\n");
    printRatio("decodeJpegForBox / libjpeg 1/8", ours.cpuMs / anchor.cpuMs, "<= 1.3",
               ours.cpuMs <= 1.3 * anchor.cpuMs);
    printRatio("decodeJpegForBox / djpeg command", ours.cpuMs / djpeg.cpuMs, "<= 1.3",
               ours.cpuMs <= 1.3 * djpeg.cpuMs);
    printRatio("naive / decodeJpegForBox", naive.cpuMs / ours.cpuMs, ">= 2",
               naive.cpuMs >= 2 * ours.cpuMs);
    return 0;
}
