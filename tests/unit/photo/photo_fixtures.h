// The JPEG fixtures of tests/fixtures/photos (remade by make-fixtures.sh there) and ways to
// read the decoded picture back.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>

#include <gtest/gtest.h>

#include <array>
#include <string>

inline const QSize kPhotoBox(74, 98);

QByteArray fixtureBytes(const std::string& name);

// The colours at the centres of the top-left, top-right, bottom-left and bottom-right
// quarters: every fixture shows one colour per quarter.
using Quadrants = std::array<QColor, 4>;

// Success when the picture has the box's size and each quarter is near its expected colour.
testing::AssertionResult showsQuadrants(const QImage& picture, const Quadrants& expected);

bool isNear(const QColor& actual, const QColor& expected);
std::string describe(const QColor& colour);
