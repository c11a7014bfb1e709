// The one place that calls libjpeg. libjpeg reports errors by longjmp, which skips C++
// destructors, so everything here is plain data handed in and out through JpegDecodeJob.
#pragma once

#include <cstddef>

enum class JpegFailure { None, NotJpeg, Corrupt, TooLarge, Unsupported };

// Both layouts have four bytes per pixel, so CMYK can be turned into RGB in place.
enum class JpegSamples { Rgbx, Cmyk };

// Called once the scaled size is known. Returns the first row and sets the distance between
// rows, or returns nullptr when there is no memory for the picture. Must not throw.
using JpegRowsAllocator = unsigned char* (*)(void* context, int width, int height,
                                             std::size_t* bytesPerLine);

struct JpegDecodeJob {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    int boxWidth = 0;
    int boxHeight = 0;
    JpegRowsAllocator allocateRows = nullptr;
    void* allocatorContext = nullptr;

    JpegFailure failure = JpegFailure::None;
    JpegSamples samples = JpegSamples::Rgbx;
    bool adobeInverted = false;
    int orientation = 1;
};

// Reads the header, picks the DCT scale for the box and decodes into the allocated rows.
void decodeJpegScaled(JpegDecodeJob* job) noexcept;
