#include "settings/profile_file.h"
#include "tests/unit/settings/file_size_limit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

namespace {

const QString kSetup = QStringLiteral("Setup");
const QString kAbsent = QStringLiteral("<default>");

class ProfileFileTest : public ::testing::Test {
protected:
    QString path() const { return directory_.filePath(QStringLiteral("Setup.ini")); }

    void write(const QByteArray& contents) const {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    // As std::string, which a failing comparison prints readably.
    std::string read() const {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<no file>";
    }
    QStringList filesInDirectory() const {
        return QDir(directory_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }

    QTemporaryDir directory_;
    ProfileFile ini{path()};
};

struct ReadCase {
    const char* name;
    QByteArray contents;
    const char* key;
    QString value;
};

void PrintTo(const ReadCase& c, std::ostream* out) {
    *out << c.name;
}

class ProfileFileReading : public ProfileFileTest,
                           public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ProfileFileReading, FindsValue) {
    write(GetParam().contents);
    EXPECT_EQ(ini.readString(kSetup, QString::fromLatin1(GetParam().key), kAbsent),
              GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ProfileFileReading,
    ::testing::Values(
        ReadCase{"crlf", "[Setup]\r\nIP=10.0.0.1\r\nUser=sa\r\n", "IP", "10.0.0.1"},
        ReadCase{"lf without last break", "[Setup]\nIP=1\nUser=bob", "User", "bob"},
        ReadCase{"names in any case", "[setup]\r\nip=10.0.0.1\r\n", "Ip", "10.0.0.1"},
        ReadCase{"white space", "  [ Setup ]  \r\n\t IP \t= \t10.0.0.1 \t\r\n", "IP", "10.0.0.1"},
        ReadCase{"empty value is not absent", "[Setup]\r\nPassword=\r\n", "Password", ""},
        ReadCase{"spaces only is empty", "[Setup]\r\nIP=   \r\n", "IP", ""},
        ReadCase{"value holding =", "[Setup]\r\nUser=a=b\r\n", "User", "a=b"},
        ReadCase{"double quotes dropped", "[Setup]\r\nIP=\" 1.2.3.4 \"\r\n", "IP", " 1.2.3.4 "},
        ReadCase{"single quotes dropped", "[Setup]\r\nIP='x'\r\n", "IP", "x"},
        ReadCase{"unmatched quote kept", "[Setup]\r\nIP=\"x\r\n", "IP", "\"x"},
        ReadCase{"utf-8", "[Setup]\r\nUser=张三\r\n", "User", QStringLiteral("张三")},
        ReadCase{"byte order mark", "\xEF\xBB\xBF[Setup]\r\nIP=1\r\n", "IP", "1"},
        ReadCase{"first of two keys", "[Setup]\r\nIP=1\r\nIP=2\r\n", "IP", "1"},
        ReadCase{"comment is no key", "[Setup]\r\n;IP=9\r\nIP=1\r\n", "IP", "1"},
        ReadCase{"commented key only", "[Setup]\r\n;IP=9\r\n", "IP", kAbsent},
        ReadCase{"line without =", "[Setup]\r\nIP\r\n", "IP", kAbsent},
        ReadCase{"key missing", "[Setup]\r\nIP=1\r\n", "User", kAbsent},
        ReadCase{"in another section", "[Other]\r\nIP=1\r\n[Setup]\r\nUser=sa\r\n", "IP", kAbsent},
        ReadCase{"before any section", "IP=1\r\n[Setup]\r\n", "IP", kAbsent},
        ReadCase{"section missing", "[Other]\r\nIP=1\r\n", "IP", kAbsent},
        ReadCase{"empty file", "", "IP", kAbsent}));

TEST_F(ProfileFileTest, MissingFileGivesDefaults) {
    EXPECT_EQ(ini.readString(kSetup, QStringLiteral("IP"), QStringLiteral("127.0.0.1")),
              QStringLiteral("127.0.0.1"));
    EXPECT_EQ(ini.readInteger(kSetup, QStringLiteral("SkinIndex"), 0), 0);
    EXPECT_FALSE(QFile::exists(path())); // reading never creates the file
}

TEST_F(ProfileFileTest, ValueIsCutAt2047Characters) {
    write("[Setup]\r\nUser=" + QByteArray(2046, 'a') + "bcd\r\n");
    EXPECT_EQ(ini.readString(kSetup, QStringLiteral("User"), {}), QString(2046, u'a') + u'b');
}

TEST_F(ProfileFileTest, ReadsIntegers) {
    write("[Setup]\r\nA= 3 \r\nB=0x10\r\nC=$ff\r\nD=abc\r\nE=\r\nF=4294967295\r\n");
    EXPECT_EQ(ini.readInteger(kSetup, QStringLiteral("A"), 7), 3);
    EXPECT_EQ(ini.readInteger(kSetup, QStringLiteral("B"), 7), 16);
    EXPECT_EQ(ini.readInteger(kSetup, QStringLiteral("C"), 7), 255);
    EXPECT_EQ(ini.readInteger(kSetup, QStringLiteral("D"), 7), 7);
    EXPECT_EQ(ini.readInteger(kSetup, QStringLiteral("E"), 7), 7);
    EXPECT_EQ(ini.readInteger(kSetup, QStringLiteral("F"), 7), 7);
    EXPECT_EQ(ini.readInteger(kSetup, QStringLiteral("Missing"), 7), 7);
}

TEST_F(ProfileFileTest, RewritesOnlyTheChangedLine) {
    const QByteArray before = "; copied to the scoring clients\r\n"
                              "[Client]\r\n"
                              "IP=192.168.1.9\r\n"
                              "Title=评分\r\n"
                              "\r\n"
                              "[Setup]\r\n"
                              "IP=127.0.0.1\r\n"
                              "; sa unless told otherwise\r\n"
                              "User=sa\r\n"
                              "Password=616263\r\n"
                              "SkinIndex=2\r\n";
    write(before);
    ini.writeString(kSetup, QStringLiteral("ip"), QStringLiteral("10.1.2.3"));

    QByteArray expected = before;
    expected.replace("[Setup]\r\nIP=127.0.0.1\r\n", "[Setup]\r\nIP=10.1.2.3\r\n");
    EXPECT_EQ(read(), expected.toStdString());
}

TEST_F(ProfileFileTest, AddsKeyAtTheEndOfItsSectionWithTheFilesLineBreaks) {
    write("[Setup]\nIP=1\n\n[Other]\nUser=x\n");
    ini.writeString(kSetup, QStringLiteral("User"), QStringLiteral("sa"));
    EXPECT_EQ(read(), "[Setup]\nIP=1\nUser=sa\n\n[Other]\nUser=x\n");
}

TEST_F(ProfileFileTest, AddsMissingSectionAfterALastLineWithoutBreak) {
    write("[Other]\nA=1");
    ini.writeString(kSetup, QStringLiteral("IP"), QStringLiteral("1"));
    EXPECT_EQ(read(), "[Other]\nA=1\n[Setup]\nIP=1\n");
}

TEST_F(ProfileFileTest, CreatesMissingFileInTheFormTheClientsRead) {
    ini.writeString(kSetup, QStringLiteral("IP"), QStringLiteral("127.0.0.1"));
    ini.writeString(kSetup, QStringLiteral("User"), QStringLiteral("sa"));
    ini.writeString(kSetup, QStringLiteral("Password"), QStringLiteral("616263"));
    ini.writeInteger(kSetup, QStringLiteral("SkinIndex"), 3);
    EXPECT_EQ(read(), "[Setup]\r\nIP=127.0.0.1\r\nUser=sa\r\nPassword=616263\r\nSkinIndex=3\r\n");
}

TEST_F(ProfileFileTest, KeepsByteOrderMark) {
    write("\xEF\xBB\xBF[Setup]\r\nIP=1\r\n");
    ini.writeString(kSetup, QStringLiteral("IP"), QStringLiteral("2"));
    EXPECT_EQ(read(), "\xEF\xBB\xBF[Setup]\r\nIP=2\r\n");

    write("\xEF\xBB\xBF");
    ini.writeString(kSetup, QStringLiteral("IP"), QStringLiteral("3"));
    EXPECT_EQ(read(), "\xEF\xBB\xBF[Setup]\r\nIP=3\r\n");
}

TEST_F(ProfileFileTest, KeepsBytesThatAreNotUtf8) {
    // A line saved in another code page by some other tool (GBK "评分").
    write("[Other]\r\nName=\xC6\xC0\xB7\xD6\r\n[Setup]\r\nUser=sa\r\n");
    ini.writeString(kSetup, QStringLiteral("User"), QStringLiteral("张三"));
    EXPECT_EQ(read(), "[Other]\r\nName=\xC6\xC0\xB7\xD6\r\n[Setup]\r\nUser=张三\r\n");
    EXPECT_EQ(ini.readString(kSetup, QStringLiteral("User"), {}), QStringLiteral("张三"));
}

TEST_F(ProfileFileTest, WritesIntegersAsDecimal) {
    ini.writeInteger(kSetup, QStringLiteral("SkinIndex"), -5);
    EXPECT_EQ(read(), "[Setup]\r\nSkinIndex=-5\r\n");
    EXPECT_EQ(ini.readInteger(kSetup, QStringLiteral("SkinIndex"), 0), -5);
}

TEST_F(ProfileFileTest, RefusesLineBreakInValue) {
    write("[Setup]\r\nIP=1\r\n");
    for (const QString& value :
         {QStringLiteral("2\r\nPassword=00"), QStringLiteral("2\n"), QStringLiteral("\r")})
        EXPECT_THROW(ini.writeString(kSetup, QStringLiteral("IP"), value), std::invalid_argument);
    EXPECT_EQ(read(), "[Setup]\r\nIP=1\r\n");
}

void expectUnableToWrite(ProfileFile& ini, const QString& key,
                         const QString& value = QStringLiteral("administrator")) {
    try {
        ini.writeString(kSetup, key, value);
        ADD_FAILURE() << "the write did not fail";
    } catch (const std::runtime_error& failure) {
        EXPECT_EQ(QString::fromUtf8(failure.what()), "Unable to write to " + ini.path());
    }
}

TEST_F(ProfileFileTest, FailsWhereNothingCanBeCreated) {
    // Permissions would not stop root, which the tests run as: a regular file standing where
    // the directory should be stops everybody.
    QFile blocker(directory_.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ProfileFile blocked(directory_.filePath(QStringLiteral("blocker/Setup.ini")));
    expectUnableToWrite(blocked, QStringLiteral("IP"));
}

TEST_F(ProfileFileTest, NeverReplacesWhatItCannotRead) {
    ASSERT_TRUE(QDir(directory_.path()).mkdir(QStringLiteral("Setup.ini")));
    expectUnableToWrite(ini, QStringLiteral("IP"));
    EXPECT_TRUE(QFileInfo(path()).isDir());
    EXPECT_EQ(ini.readString(kSetup, QStringLiteral("IP"), kAbsent), kAbsent);
}

TEST_F(ProfileFileTest, FullDiskLeavesTheOldFileWhole) {
    const QByteArray before = "[Setup]\r\nIP=127.0.0.1\r\nUser=sa\r\n";
    write(before);
    ini.writeString(kSetup, QStringLiteral("IP"), QStringLiteral("10.0.0.1"));
    {
        // Room for a file as long as the one there, not one a single byte longer.
        const FileSizeLimit nearlyFull(static_cast<rlim_t>(read().size()));
        ASSERT_TRUE(nearlyFull.active());
        expectUnableToWrite(ini, QStringLiteral("User"));
    }
    // The key written before the failure stays written; no half-written file, no leftovers.
    EXPECT_EQ(read(), "[Setup]\r\nIP=10.0.0.1\r\nUser=sa\r\n");
    EXPECT_EQ(filesInDirectory(), QStringList{QStringLiteral("Setup.ini")});
}

} // namespace
