#include "settings/password_hex.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

struct Encoding {
    QString password;
    QString stored;
};

class PasswordRoundTrip : public ::testing::TestWithParam<Encoding> {};

TEST_P(PasswordRoundTrip, EncodesAndDecodes) {
    EXPECT_EQ(PasswordToHex(GetParam().password), GetParam().stored);
    EXPECT_EQ(HexToPassword(GetParam().stored), GetParam().password);
}

INSTANTIATE_TEST_SUITE_P(
    Password, PasswordRoundTrip,
    ::testing::Values(Encoding{QString(), QString()},
                      Encoding{QStringLiteral("abc"), QStringLiteral("616263")},
                      // One digit values are padded; digits are upper case.
                      Encoding{QStringLiteral("\t~"), QStringLiteral("097E")},
                      Encoding{QString(QChar(0x01)) + QChar(0xFF), QStringLiteral("01FF")},
                      Encoding{QStringLiteral("pä ß"), QStringLiteral("70E420DF")}));

struct Decoding {
    const char* stored;
    QString password;
};

class PasswordDecoding : public ::testing::TestWithParam<Decoding> {};

TEST_P(PasswordDecoding, ReadsPairs) {
    EXPECT_EQ(HexToPassword(QString::fromLatin1(GetParam().stored)), GetParam().password);
}

INSTANTIATE_TEST_SUITE_P(Password, PasswordDecoding,
                         ::testing::Values(Decoding{"6a6B", QStringLiteral("jk")},
                                           Decoding{"e4", QStringLiteral("ä")},
                                           // Odd length: nothing is decoded at all.
                                           Decoding{"616", QString()}, Decoding{"6", QString()},
                                           Decoding{"zz6", QString()}));

struct BadPair {
    QString stored;
    const char* message;
};

class PasswordBadPair : public ::testing::TestWithParam<BadPair> {};

TEST_P(PasswordBadPair, NamesThePairAsStored) {
    try {
        HexToPassword(GetParam().stored);
        FAIL() << "no failure for " << GetParam().stored.toStdString();
    } catch (const std::runtime_error& failure) {
        EXPECT_STREQ(failure.what(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Password, PasswordBadPair,
    ::testing::Values(BadPair{QStringLiteral("zz"), "''$zz'' is not a valid integer value"},
                      // The first bad pair counts, even after good ones.
                      BadPair{QStringLiteral("61g1x2"), "''$g1'' is not a valid integer value"},
                      BadPair{QStringLiteral("6 "), "''$6 '' is not a valid integer value"},
                      BadPair{QStringLiteral("-1"), "''$-1'' is not a valid integer value"},
                      // Full-width digits are digits, but not hexadecimal ones.
                      BadPair{QStringLiteral("６１"), "''$６１'' is not a valid integer value"}));

TEST(PasswordStorage, OnlyCodeUnitsFromOneToFFSurvive) {
    EXPECT_TRUE(PasswordSurvivesStorage(QString()));
    EXPECT_TRUE(
        PasswordSurvivesStorage(QString(QChar(0x01)) + QChar(0xFF) + QStringLiteral("abc")));
    EXPECT_FALSE(PasswordSurvivesStorage(QStringLiteral("密码")));
    EXPECT_FALSE(PasswordSurvivesStorage(QStringLiteral("ab") + QChar(0x0100)));
    EXPECT_FALSE(
        PasswordSurvivesStorage(QStringLiteral("a") + QChar(0x0000) + QStringLiteral("b")));
    EXPECT_FALSE(PasswordSurvivesStorage(QStringLiteral("😀"))); // a surrogate pair
}

TEST(PasswordStorage, ACharacterAboveFFDoesNotComeBack) {
    // Why such a password is refused: 0x5BC6 ("密") becomes four digits, read back as two pairs.
    const QString password = QStringLiteral("密");
    EXPECT_EQ(PasswordToHex(password), QStringLiteral("5BC6"));
    EXPECT_NE(HexToPassword(PasswordToHex(password)), password);
}

} // namespace
