// How the application-level error box words and titles a failure.
#include "app/app_error.h"
#include "tests/support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

struct TitleCase {
    const char* executablePath;
    const char* title;
};

class ErrorTitle : public ::testing::TestWithParam<TitleCase> {};

TEST_P(ErrorTitle, IsTheFileNameUpToItsFirstDotWithOnlyTheFirstLetterKept) {
    EXPECT_EQ(applicationErrorTitle(QString::fromUtf8(GetParam().executablePath)),
              QString::fromUtf8(GetParam().title));
}

INSTANTIATE_TEST_SUITE_P(Names, ErrorTitle,
                         ::testing::Values(TitleCase{"/opt/score/ScoreSetup", "Scoresetup"},
                                           TitleCase{"C:\\Score\\ScoreSetup.exe", "Scoresetup"},
                                           TitleCase{"/tmp/My.Setup.exe", "My"},
                                           TitleCase{"/x/a.b.c", "a"}, TitleCase{"/x/aB.c", "ab"},
                                           TitleCase{"/home/用户/评分Setup", "评分setup"}));

struct TextCase {
    const char* failure;
    const char* shown;
};

class ErrorText : public ::testing::TestWithParam<TextCase> {};

TEST_P(ErrorText, GetsAFullStopUnlessItEndsInPunctuationOrSpace) {
    EXPECT_EQ(applicationErrorText(QString::fromUtf8(GetParam().failure)),
              QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(Endings, ErrorText,
                         ::testing::Values(TextCase{"Done.", "Done."}, TextCase{"Stop!", "Stop!"},
                                           TextCase{"trailing ", "trailing "},
                                           TextCase{"Field x", "Field x."},
                                           TextCase{"没有找到", "没有找到."},
                                           TextCase{"a-b-", "a-b-"}, TextCase{"a/", "a/."},
                                           TextCase{"", "."}));

} // namespace
