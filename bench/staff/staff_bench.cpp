// GetwkList over 10,000 staff without photos, against the gateway's own OpenQuery of the same
// statement (the anchor: the fetch any reload must pay), with the resident memory afterwards.
#include "app/globals.h"
#include "app/tform1.h"
#include "bench/common/resident_memory.h"
#include "db/connection_strings.h"
#include "db/sql_gateway.h"
#include "ui/widgets/report_list_view.h"

#include <server_process.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kStaff = 10000;
constexpr int kInsertsPerBatch = 500;
constexpr int kRounds = 11;

const QString kListStatement =
    QStringLiteral("select * from (wkinfo inner join jobs on wkinfo.swkjobnum=jobs.sjobnum)");

struct SilentBoxes : MessageBoxes {
    Answer show(QWidget*, BoxKind, const QString&, const QString&) override { return Answer::Yes; }
};

struct NoFiles : FileDialog {
    std::optional<QString> openFile(QWidget*, const QString&, const QString&,
                                    const QString&) override {
        return std::nullopt;
    }
};

struct NoProcesses : ProcessStarter {
    bool start(const QString&, const QString&) override { return false; }
};

double elapsedMs(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Timings {
    std::vector<double> anchor, read, reload, ratio;
};

// Taken in turns, so that a neighbour's load falls on all three alike.
Timings timeInTurns(const std::function<void()>& anchor, const std::function<void()>& read,
                    const std::function<void()>& reload) {
    Timings timings;
    for (int round = 0; round < kRounds; ++round) {
        timings.anchor.push_back(elapsedMs(anchor));
        timings.read.push_back(elapsedMs(read));
        timings.reload.push_back(elapsedMs(reload));
        timings.ratio.push_back(timings.reload.back() / timings.anchor.back());
    }
    return timings;
}

void fillDatabase(SqlGateway& gateway, const ServerLogin& login) {
    gateway.SetConnectionString(ServerConnStr(login));
    gateway.SetSql(QStringLiteral("create database score"));
    gateway.RunStatement();
    gateway.SetConnectionString(CatalogConnStr(login));
    gateway.SetSql(QStringLiteral(
        "create table Jobs(sJobNum nvarchar(50) primary key not null,sJobName nvarchar(50) not "
        "null)\r\ncreate table WkInfo(sWkNums nvarchar(50) primary key not null,sWkName "
        "nvarchar(50) not null,sWkSex nvarchar(50) not null,sWkJobNum nvarchar(50) not "
        "null,WkPhoto image)\r\ninsert into jobs values(N'001',N'收银员')\r\ninsert into jobs "
        "values(N'002',N'网管')\r\ninsert into jobs values(N'003',N'技术员')"));
    gateway.RunStatement();
    for (int first = 0; first < kStaff; first += kInsertsPerBatch) {
        QStringList inserts;
        for (int number = first; number < first + kInsertsPerBatch; ++number)
            inserts << QStringLiteral("insert into wkinfo(swknums,swkname,swksex,swkjobnum) "
                                      "values(N'%1',N'员工%1',%2,N'00%3')")
                           .arg(number)
                           .arg(number % 2)
                           .arg(number % 3 + 1);
        gateway.SetSql(inserts.join(QStringLiteral("\r\n")));
        gateway.RunStatement();
    }
}

void openList(SqlGateway& gateway) {
    gateway.SetSql(kListStatement);
    gateway.OpenQuery();
    gateway.Close();
}

// The fetch plus reading every column the list shows: the reload's cost before any row is made.
void openAndReadList(SqlGateway& gateway) {
    gateway.SetSql(kListStatement);
    gateway.OpenQuery();
    for (; !gateway.Eof(); gateway.Next())
        for (const char* column : {"sWkNums", "sWkName", "sWkSex", "sJobName", "WkPhoto"})
            static_cast<void>(gateway.FieldByName(QString::fromLatin1(column)).asString());
    gateway.Close();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    tdslite::testing::ServerProcess server;
    const ServerLogin login{QString::fromStdString(server.dataSource()), QStringLiteral("sa"),
                            QString()};
    SqlGateway anchor(QStringLiteral("anchor"));
    fillDatabase(anchor, login);

    QTemporaryDir programDir;
    SilentBoxes boxes;
    NoFiles files;
    NoProcesses processes;
    TForm1 form(Platform{&boxes, &files, &processes, programDir.filePath("ScoreSetup")});
    form.show();
    sServerIP = login.serverIP;
    sUser = login.user;
    sPassword = login.password;

    const long residentBefore = residentKiB();
    // One of each first, so that both hold an open connection when the clock runs.
    openList(anchor);
    form.GetwkList();
    const Timings timings = timeInTurns([&] { openList(anchor); }, [&] { openAndReadList(anchor); },
                                        [&] { form.GetwkList(); });
    QApplication::processEvents();
    const long residentAfter = residentKiB();

    std::printf("staff rows listed: %d of %d\n", form.ListView2->topLevelItemCount(), kStaff);
    std::printf("anchor  gateway OpenQuery of the list statement:  %8.1f ms (median of %d)\n",
                median(timings.anchor), kRounds);
    std::printf("        the same, every listed column read:       %8.1f ms\n",
                median(timings.read));
    std::printf("reload  GetwkList:                                %8.1f ms\n",
                median(timings.reload));
    std::printf("ratio   GetwkList / anchor, median of the rounds: %.2f (target <= 2)\n",
                median(timings.ratio));
    std::printf("memory  resident after the reloads: %ld KiB (%+ld KiB over the empty window)\n",
                residentAfter, residentAfter - residentBefore);
    return 0;
}
