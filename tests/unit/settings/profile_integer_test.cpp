#include "settings/profile_integer.h"

#include <QString>
#include <gtest/gtest.h>

namespace {

struct IntegerCase {
    const char* text;
    std::optional<std::int32_t> value;
};

void PrintTo(const IntegerCase& c, std::ostream* out) {
    *out << '"' << c.text << '"';
}

class ProfileIntegerParsing : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(ProfileIntegerParsing, ReadsValue) {
    EXPECT_EQ(parseProfileInteger(QString::fromUtf8(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Valid, ProfileIntegerParsing,
    ::testing::Values(IntegerCase{"0", 0}, IntegerCase{"3", 3}, IntegerCase{"007", 7},
                      IntegerCase{"-12", -12}, IntegerCase{"+12", 12}, IntegerCase{"0x1F", 31},
                      IntegerCase{"0X1f", 31}, IntegerCase{"$a", 10}, IntegerCase{"-$10", -16},
                      IntegerCase{"2147483647", 2147483647}, IntegerCase{"-2147483648", INT32_MIN},
                      IntegerCase{"0x7FFFFFFF", 2147483647},
                      IntegerCase{"-0x80000000", INT32_MIN}));

INSTANTIATE_TEST_SUITE_P(
    Invalid, ProfileIntegerParsing,
    ::testing::Values(IntegerCase{"", std::nullopt}, IntegerCase{"-", std::nullopt},
                      IntegerCase{"0x", std::nullopt}, IntegerCase{"$", std::nullopt},
                      IntegerCase{"3a", std::nullopt}, IntegerCase{"1.5", std::nullopt},
                      IntegerCase{"1 2", std::nullopt}, IntegerCase{"x10", std::nullopt},
                      IntegerCase{"0x-1", std::nullopt}, IntegerCase{"--1", std::nullopt},
                      IntegerCase{"３", std::nullopt}, // a full-width digit
                      // Outside the 32-bit signed range, in either notation.
                      IntegerCase{"2147483648", std::nullopt},
                      IntegerCase{"-2147483649", std::nullopt},
                      IntegerCase{"0x80000000", std::nullopt},
                      IntegerCase{"$FFFFFFFF", std::nullopt},
                      IntegerCase{"99999999999999999999999", std::nullopt}));

} // namespace
