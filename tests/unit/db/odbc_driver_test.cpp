// The SQL Server driver by its registered name, or by its library when nobody registered it.
#include "db/odbc_driver.h"
#include "tests/support/qt_printers.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// The driver manager reads odbcinst.ini from ODBCSYSINI's directory.
class DriverList : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(directory.isValid());
        const char* old = std::getenv("ODBCSYSINI");
        hadOld = old != nullptr;
        if (hadOld)
            oldValue = old;
        setenv("ODBCSYSINI", directory.path().toLocal8Bit().constData(), 1);
    }
    void TearDown() override {
        if (hadOld)
            setenv("ODBCSYSINI", oldValue.c_str(), 1);
        else
            unsetenv("ODBCSYSINI");
    }
    void writeDriverList(const QByteArray& contents) {
        QFile file(directory.filePath(QStringLiteral("odbcinst.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }

    QTemporaryDir directory;
    bool hadOld = false;
    std::string oldValue;
};

TEST_F(DriverList, NamesTheDriverWhenItIsRegistered) {
    writeDriverList("[FreeTDS]\nDescription=TDS driver\nDriver=libtdsodbc.so\n");
    EXPECT_EQ(RegisteredOrPathDriver(), QStringLiteral("FreeTDS"));
}

TEST_F(DriverList, FallsBackToTheLibraryWhenItIsNot) {
    writeDriverList("[Other]\nDriver=libother.so\n");
    EXPECT_EQ(RegisteredOrPathDriver(),
              QStringLiteral("/usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so"));
}

} // namespace
