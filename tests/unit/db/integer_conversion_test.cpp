// Columns read as integers convert as SQL Server converts them, failing with its wording.
#include "db/database_error.h"
#include "db/integer_conversion.h"
#include "tests/support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

struct Conversion {
    const char* text;
    std::int64_t value;
};

void PrintTo(const Conversion& conversion, std::ostream* out) {
    *out << conversion.text;
}

class TextToInteger : public ::testing::TestWithParam<Conversion> {};

TEST_P(TextToInteger, Converts) {
    EXPECT_EQ(IntegerFromText(QString::fromUtf8(GetParam().text), QStringLiteral("nvarchar")),
              GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, TextToInteger,
                         ::testing::Values(Conversion{"0", 0}, Conversion{"1", 1},
                                           Conversion{"  42  ", 42}, Conversion{"-7", -7},
                                           Conversion{"+7", 7}, Conversion{"", 0},
                                           Conversion{"   ", 0}, Conversion{"007", 7},
                                           Conversion{"2147483647", 2147483647},
                                           Conversion{"-2147483648", -2147483648LL}));

struct Failure {
    const char* text;
    const char* message;
};

void PrintTo(const Failure& failure, std::ostream* out) {
    *out << failure.text;
}

class TextNotInteger : public ::testing::TestWithParam<Failure> {};

TEST_P(TextNotInteger, FailsAsTheServerWouldSay) {
    try {
        IntegerFromText(QString::fromUtf8(GetParam().text), QStringLiteral("nvarchar"));
        FAIL() << "converted " << GetParam().text;
    } catch (const DatabaseError& failure) {
        EXPECT_EQ(failure.text(), QString::fromUtf8(GetParam().message));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextNotInteger,
    ::testing::Values(
        Failure{"x", "Conversion failed when converting the nvarchar value 'x' to data type int."},
        Failure{"1.5",
                "Conversion failed when converting the nvarchar value '1.5' to data type int."},
        Failure{"男",
                "Conversion failed when converting the nvarchar value '男' to data type int."},
        Failure{"-", "Conversion failed when converting the nvarchar value '-' to data type int."},
        Failure{"1 2",
                "Conversion failed when converting the nvarchar value '1 2' to data type int."},
        Failure{"2147483648",
                "The conversion of the nvarchar value '2147483648' overflowed an int column."},
        Failure{"99999999999999999999",
                "The conversion of the nvarchar value '99999999999999999999' overflowed an int "
                "column."}));

class NumberToInteger : public ::testing::TestWithParam<Conversion> {};

TEST_P(NumberToInteger, CutsTheFraction) {
    EXPECT_EQ(IntegerFromNumber(QString::fromUtf8(GetParam().text), QStringLiteral("decimal")),
              GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Numbers, NumberToInteger,
                         ::testing::Values(Conversion{"42", 42}, Conversion{"-12.50", -12},
                                           Conversion{"99.99", 99},
                                           Conversion{"1.5e+10", 15000000000},
                                           Conversion{"9223372036854775807", 9223372036854775807}));

} // namespace
