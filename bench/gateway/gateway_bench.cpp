// How long OpenQuery takes to bring 10,000 staff rows (no photos) into memory, beside
// unixODBC's isql fetching the same statement through the same driver from the same server in
// the same run, and what the result costs in memory.
//
//   gateway_bench [rows] [rounds]
#include "db/connection_strings.h"
#include "db/odbc_connection_string.h"
#include "db/odbc_driver.h"
#include "db/sql_gateway.h"

#include <server_process.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

const QString kQuery = QStringLiteral("select * from wkinfo");

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

long residentBytes() {
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * sysconf(_SC_PAGESIZE);
}

void run(const QString& connectionString, const QString& sql) {
    SqlGateway gateway(QStringLiteral("bench"));
    gateway.SetConnectionString(connectionString);
    gateway.SetSql(sql);
    gateway.RunStatement();
}

void fillStaff(const QString& serverForm, const QString& catalogForm, int rows) {
    run(serverForm, QStringLiteral("create database score"));
    run(catalogForm,
        QStringLiteral("create table WkInfo(sWkNums nvarchar(50) primary key not null,sWkName "
                       "nvarchar(50) not null,sWkSex nvarchar(50) not null,sWkJobNum "
                       "nvarchar(50) not null,WkPhoto image)"));
    constexpr int kBatch = 500;
    for (int first = 0; first < rows; first += kBatch) {
        QStringList inserts;
        for (int row = first; row < std::min(rows, first + kBatch); ++row)
            inserts << QStringLiteral("insert into wkinfo(swknums,swkname,swksex,swkjobnum) "
                                      "values(N'%1',N'员工%1',N'%2',N'00%3')")
                           .arg(row, 6, 10, QChar(u'0'))
                           .arg(row % 2)
                           .arg(row % 3 + 1);
        run(catalogForm, inserts.join(QStringLiteral("\r\n")));
    }
}

// One whole OpenQuery, connecting included, as an operation with a fresh gateway does it.
double timeGateway(const QString& catalogForm, const QString& sql, int expectedRows) {
    const Clock::time_point start = Clock::now();
    SqlGateway gateway(QStringLiteral("bench"));
    gateway.SetConnectionString(catalogForm);
    gateway.SetSql(sql);
    gateway.OpenQuery();
    const double elapsed = millisecondsSince(start);
    if (gateway.RowCount() != expectedRows) {
        std::fprintf(stderr, "gateway fetched %d rows, not %d\n", gateway.RowCount(), expectedRows);
        std::exit(1);
    }
    return elapsed;
}

// isql -e (SQLExecDirect, as the gateway) -b (batch) with the statement on its input and its
// output thrown away: process start, login, fetch and formatting all count.
double timeIsql(const std::string& odbcConnectionString, const std::string& sql) {
    char input[] = "/tmp/gateway-bench-XXXXXX";
    const int inputFd = mkstemp(input);
    if (inputFd < 0 || write(inputFd, sql.data(), sql.size()) != static_cast<ssize_t>(sql.size())) {
        std::perror("isql input");
        std::exit(1);
    }
    lseek(inputFd, 0, SEEK_SET);
    unlink(input);
    const int nullFd = open("/dev/null", O_WRONLY);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, inputFd, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, nullFd, STDOUT_FILENO);
    std::vector<std::string> arguments{"isql", "-e", "-b", "-d,", "-k", odbcConnectionString};
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    if (posix_spawnp(&child, "isql", &actions, nullptr, argv.data(), environ) != 0) {
        std::perror("isql");
        std::exit(1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    const double elapsed = millisecondsSince(start);
    posix_spawn_file_actions_destroy(&actions);
    close(inputFd);
    close(nullFd);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "isql failed\n");
        std::exit(1);
    }
    return elapsed;
}

} // namespace

int main(int argc, char* argv[]) {
    const int rows = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 7;

    tdslite::testing::ServerProcess server;
    const ServerLogin sa{QString::fromStdString(server.dataSource()), QStringLiteral("sa"), {}};
    const QString serverForm = ServerConnStr(sa);
    const QString catalogForm = CatalogConnStr(sa);
    fillStaff(serverForm, catalogForm, rows);
    const std::string odbc =
        OdbcConnectionString(OleDbConnectionString::parse(catalogForm), SqlServerDriver())
            .toStdString();

    std::vector<double> gatewayTimes;
    std::vector<double> isqlTimes;
    std::vector<double> isqlLoginTimes;
    std::vector<double> gatewayLoginTimes;
    const QString trivial = QStringLiteral("select 1 as a");
    timeGateway(catalogForm, kQuery, rows); // the server's caches warm for both
    for (int round = 0; round < rounds; ++round) {
        gatewayTimes.push_back(timeGateway(catalogForm, kQuery, rows));
        gatewayLoginTimes.push_back(timeGateway(catalogForm, trivial, 1));
        isqlTimes.push_back(timeIsql(odbc, kQuery.toStdString() + "\n"));
        isqlLoginTimes.push_back(timeIsql(odbc, "select 1\n"));
    }

    // Memory: the result kept open, measured as the gateway counts it and as the process grew.
    const long residentBefore = residentBytes();
    SqlGateway held(QStringLiteral("bench"));
    held.SetConnectionString(catalogForm);
    held.SetSql(kQuery);
    held.OpenQuery();
    const long residentGrowth = residentBytes() - residentBefore;

    const double gateway = median(gatewayTimes);
    const double isql = median(isqlTimes);
    const double isqlLogin = median(isqlLoginTimes);
    const double gatewayLogin = median(gatewayLoginTimes);
    std::printf("rows %d, rounds %d (medians)\n", rows, rounds);
    std::printf("  isql, whole run (anchor)       %8.1f ms\n", isql);
    std::printf("  gateway, connect + OpenQuery    %8.1f ms   ratio %.2f (target <= 1.50)\n",
                gateway, gateway / isql);
    std::printf("  isql, 'select 1' (start+login)  %8.1f ms\n", isqlLogin);
    std::printf("  gateway, 'select 1' (login)     %8.1f ms\n", gatewayLogin);
    std::printf("  fetch alone, gateway / isql     %8.2f (each less its own 'select 1')\n",
                (gateway - gatewayLogin) / (isql - isqlLogin));
    std::printf("  result in memory                %8.1f KiB (%.0f bytes a row)\n",
                double(held.ResultBytes()) / 1024.0, double(held.ResultBytes()) / rows);
    std::printf("  resident growth with it open    %8.1f KiB\n", double(residentGrowth) / 1024.0);
    return 0;
}
