// The statistics button: the database check and the start of Report.exe.
#include "app/qt_platform.h"
#include "db/connection_strings.h"
#include "tests/support/database_fixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTest>

namespace {

const QString kNoDatabase = QStringLiteral("服务器上还没有评分数据库，请先建立数据库并初始化！");
const QString kNoTables = QStringLiteral("评分数据库存在，但是相关的表不存在，请初始化数据库！\r\n"
                                         "\r\n同时数据库中所有数据将丢失！\r\n\r\n"
                                         "如果初始化失败则请删除数据库再重建和初始化数据库！");
const QString kSomeTables =
    QStringLiteral("评分数据库存在，但相关的表不全，请删除数据库再重建及初始化以便于使用！");
const QString kComplete = QStringLiteral("数据库信息完整，如果在使用查询的过程当中出现报错，请删除"
                                         "数据库并重建及初始化以便于使用！\r\n\r\n"
                                         "点击“确定”运行统计程序！");
const QString kCannotStart =
    QStringLiteral("无法启动统计程序Report.exe，请将其放在本程序所在目录中！");

class StatisticsTest : public DatabaseFormTest {
protected:
    void expectComplete() {
        boxes.expect(BoxKind::Information, QStringLiteral("提示信息"), kComplete);
    }
    // A Report.exe beside the program that writes each argument it got on a line of its own.
    QString installReportStub() {
        const QString stub = programDir() + QStringLiteral("/Report.exe");
        QFile script(stub);
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(
            "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/report-args.tmp\"\n"
            "mv \"$(dirname \"$0\")/report-args.tmp\" \"$(dirname \"$0\")/report-args\"\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return programDir() + QStringLiteral("/report-args");
    }
};

} // namespace

TEST_F(StatisticsTest, NoScoreDatabase) {
    createConnectedForm();
    boxes.expect(BoxKind::Error, QStringLiteral("错误"), kNoDatabase);
    click("Button25");
    EXPECT_TRUE(processes.calls.empty());
    EXPECT_FALSE(form().qrySql.IsOpen());
}

TEST_F(StatisticsTest, DatabaseWithoutTables) {
    createScoreDatabase(false);
    createConnectedForm();
    boxes.expect(BoxKind::Warning, QStringLiteral("运行错误"), kNoTables);
    click("Button25");
    EXPECT_TRUE(processes.calls.empty());
}

TEST_F(StatisticsTest, TwoOfTheThreeTables) {
    createScoreDatabase(false);
    exec(QStringLiteral("create table Jobs(sJobNum nvarchar(50) primary key not null,"
                        "sJobName nvarchar(50) not null)"));
    exec(QStringLiteral("create table Scores(sWkNum nvarchar(50) not null)"));
    createConnectedForm();
    boxes.expect(BoxKind::Warning, QStringLiteral("错误提示"), kSomeTables);
    click("Button25");
    EXPECT_TRUE(processes.calls.empty());
}

TEST_F(StatisticsTest, CompleteDatabaseStartsTheStatisticsProgramAfterTheBox) {
    createScoreDatabase();
    createConnectedForm();
    expectComplete();
    click("Button25");
    ASSERT_EQ(processes.calls.size(), 1u);
    EXPECT_EQ(processes.calls[0].commandLine, QStringLiteral("Report.exe /sys"));
    EXPECT_EQ(processes.calls[0].programDirectory, programDir() + u'/');
    EXPECT_FALSE(form().qrySql.IsOpen());
    for (const char* name : {"Button3", "Button4", "Button5"})
        EXPECT_TRUE(enabled(name)) << name;
}

TEST_F(StatisticsTest, RealReportBesideTheProgramRunsWithExactlyTheSysSwitch) {
    QtProcessStarter realStarter;
    processStarter = &realStarter;
    const QString argumentsFile = installReportStub();
    createScoreDatabase();
    createConnectedForm();
    expectComplete();
    click("Button25");

    // The program is started, not waited for: wait for its trace.
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(argumentsFile) && waited.elapsed() < 20000)
        QTest::qWait(20);
    QFile arguments(argumentsFile);
    ASSERT_TRUE(arguments.open(QIODevice::ReadOnly)) << "Report.exe never ran";
    EXPECT_EQ(arguments.readAll(), QByteArray("/sys\n"));
}

TEST_F(StatisticsTest, MissingReportIsSaidOutLoud) {
    QtProcessStarter realStarter;
    processStarter = &realStarter;
    createScoreDatabase();
    createConnectedForm();
    expectComplete();
    boxes.expect(BoxKind::Error, QStringLiteral("错误"), kCannotStart);
    click("Button25");
}

TEST_F(StatisticsTest, WorksBeforeAnyConnectionTestWithTheServerFromSetupIni) {
    createScoreDatabase();
    writeIni("[Setup]\r\nIP=" + dataSource().toUtf8() + "\r\nUser=sa\r\nPassword=\r\n");
    createForm();
    expectComplete();
    click("Button25");
    EXPECT_EQ(processes.calls.size(), 1u);
    EXPECT_TRUE(enabled("Button2"));
}

TEST_F(StatisticsTest, ResultLeftOpenUnderTheCatalogueFormStopsTheCheck) {
    createScoreDatabase();
    createConnectedForm();
    // What a failed staff selection leaves behind.
    form().qrySql.SetConnectionString(CatalogConnStr({dataSource(), QStringLiteral("sa"), {}}));
    form().qrySql.SetSql(QStringLiteral("select * from Jobs"));
    form().qrySql.OpenQuery();

    boxes.expect(BoxKind::Error, QStringLiteral("Scoresetup"),
                 QStringLiteral("qrySql: Cannot perform this operation on an open dataset."));
    click("Button25");
    EXPECT_TRUE(processes.calls.empty());
    EXPECT_TRUE(form().qrySql.IsOpen());
}

TEST_F(StatisticsTest, ServerThatIsDownReachesTheApplicationHandler) {
    createConnectedForm();
    server().stop();
    boxes.expectAnyText(BoxKind::Error, QStringLiteral("Scoresetup"));
    click("Button25");
    EXPECT_TRUE(processes.calls.empty());
}
