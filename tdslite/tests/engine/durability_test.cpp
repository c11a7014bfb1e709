// Data survive a restart, and a kill -9 in the middle of writing leaves whole statements only.
#include "engine_fixture.h"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace tdslite::testing {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST_F(EngineTest, DataSurviveARestart) {
    initialiseScore();
    ok("insert into wkinfo values('001',N'张三','1','002',0x0102FF)");
    ok("insert into scores values('001','002',97.5,'10.0.0.1',N'好','2024-03-01 08:30:15.250')");
    ok("create database other");
    restart();
    EXPECT_EQ(cells(ok("select * from score.dbo.jobs").statements[0]).size(), 3u);
    EXPECT_EQ(cells(ok("select * from score.dbo.wkinfo").statements[0]),
              (Rows{{"001", "张三", "1", "002", "0x0102FF"}}));
    StatementResult scores =
        ok("select iWkScore, sMemo, dtDateTime from score.dbo.scores").statements[0];
    ASSERT_EQ(scores.rows.size(), 1u);
    EXPECT_EQ(show(scores.rows[0][0]), "97.50");
    EXPECT_EQ(show(scores.rows[0][1]), "好");
    // 2024-03-01 is day 45350 after 1900-01-01; 08:30:15.250 is 9184575 ticks of 1/300 s.
    EXPECT_EQ(show(scores.rows[0][2]), "45350:9184575");
    StatementResult databases = ok("select name, dbid from master.dbo.sysdatabases").statements[0];
    EXPECT_EQ(cells(databases), (Rows{{"master", "1"},
                                      {"tempdb", "2"},
                                      {"model", "3"},
                                      {"msdb", "4"},
                                      {"score", "5"},
                                      {"other", "6"}}));
    EXPECT_EQ(ok("select * from score.dbo.sysobjects where name='Jobs' or name='Scores' or "
                 "name='WkInfo'")
                  .statements[0]
                  .rowCount,
              3);
    ok("use master drop database other");
    restart();
    EXPECT_EQ(ok("select * from sysdatabases where name='other'").statements[0].rowCount, 0);
}

TEST_F(EngineTest, KillDuringWritesLosesNoCommittedStatementAndKeepsNoHalfOne) {
    initialiseScore();
    session_.reset();
    engine_.reset();
    int progress[2];
    ASSERT_EQ(pipe(progress), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(progress[0]);
        EngineConfig config;
        config.dataDir = dataDir_.string();
        auto engine = makeEngine(config);
        std::unique_ptr<Session> session;
        engine->login({u"sa", u"", u"score"}, &session);
        std::string photo = "0x" + std::string(20000, 'A');
        for (int i = 0;; ++i) {
            std::string n = std::to_string(i);
            // Two rows in one statement: they must appear together or not at all.
            BatchResult result =
                session->execute(u16("insert into wkinfo values('" + n + "','a','0','001'," +
                                     photo + "),('" + n + "b','b','1','001',null)"));
            if (result.statements.empty() || result.statements[0].failed) {
                _exit(2);
            }
            if (write(progress[1], &i, sizeof i) != sizeof i) {
                _exit(3);
            }
        }
    }
    close(progress[1]);
    int last = -1;
    while (last < 150 && read(progress[0], &last, sizeof last) == sizeof last) {
    }
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    while (read(progress[0], &last, sizeof last) == sizeof last) {
    }
    close(progress[0]);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself: " << status;
    restart();
    StatementResult rows = ok("select count(*) from score.dbo.wkinfo").statements[0];
    std::int64_t count = std::get<std::int64_t>(rows.rows.at(0).at(0));
    EXPECT_EQ(count % 2, 0) << "half a statement survived";
    EXPECT_GE(count / 2, last + 1) << "a statement reported done was lost";
    EXPECT_LE(count / 2, last + 2);
    ok("insert into score.dbo.wkinfo(swknums,swkname,swksex,swkjobnum) values('x','x','0','1')");
}

} // namespace
} // namespace tdslite::testing

namespace tdslite::testing {
namespace {

TEST_F(EngineTest, OneServerAtATimeOnADataDirectory) {
    EngineConfig config;
    config.dataDir = dataDir_.string();
    EXPECT_THROW(makeEngine(config), std::runtime_error);
    session_.reset();
    engine_.reset();
    EXPECT_NO_THROW(engine_ = makeEngine(config));
}

} // namespace
} // namespace tdslite::testing
