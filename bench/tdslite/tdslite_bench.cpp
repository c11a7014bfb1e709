// Measures tdslite through ODBC and FreeTDS against anchors taken in the same run:
//   - 1,000 round trips of "select * from Jobs" (3 rows) against a bare loopback TCP echo
//     (target: at most 5x);
//   - one select of 10,000 WkInfo rows, without and with a 30 KB photo each, against the
//     sqlite3 shell reading the same rows from the same file (target: at most 3x).
// Each figure is the median of several runs.
#include "echo_anchor.h"
#include "odbc_session.h"
#include "server_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

extern char** environ;

namespace {

using namespace tdslite::bench;
using Clock = std::chrono::steady_clock;
using Nanoseconds = std::chrono::nanoseconds;

constexpr int kRoundTrips = 1000;
constexpr int kStaffRows = 10000;
constexpr std::size_t kPhotoBytes = 30 * 1024;
constexpr int kRepeats = 5;

Nanoseconds median(int repeats, const std::function<Nanoseconds()>& measure) {
    std::vector<Nanoseconds> samples;
    for (int i = 0; i < repeats; ++i) {
        samples.push_back(measure());
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

Nanoseconds timed(const std::function<void()>& work) {
    auto start = Clock::now();
    work();
    return std::chrono::duration_cast<Nanoseconds>(Clock::now() - start);
}

// FreeTDS settings as in tdslite/tests/odbc/odbc_client.h. Each figure is read twice: with the
// driver's 4096-byte packets, and with the 32767-byte packets the program's gateway asks for.
std::string connectionString(const tdslite::testing::ServerProcess& server,
                             const std::string& database, int packetSize = 0) {
    std::string text = "DRIVER={FreeTDS};SERVER=" + server.host() +
                       ";PORT=" + std::to_string(server.port()) + ";UID=sa;PWD=;";
    if (!database.empty()) {
        text += "DATABASE=" + database + ";";
    }
    if (packetSize != 0) {
        text += "PacketSize=" + std::to_string(packetSize) + ";";
    }
    return text + "TDS_Version=7.4;ClientCharset=UTF-8";
}

std::u16string ascii(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

std::u16string initialisationBatch() {
    return u"Begin\r\n"
           u"  create table Jobs(sJobNum nvarchar(50) primary key not null,sJobName nvarchar(50) "
           u"not null)\r\n"
           u"  create table WkInfo(sWkNums nvarchar(50) primary key not null,sWkName nvarchar(50) "
           u"not null,"
           u"sWkSex nvarchar(50) not null,sWkJobNum nvarchar(50) not null,WkPhoto image)\r\n"
           u"  create table Scores(sWkNum nvarchar(50) not null,sWkJobNum nvarchar(50) not null,"
           u"iWkScore decimal(18, 2) not null,sClIP nvarchar(50) not null,sMemo TEXT,dtDateTime "
           u"datetime not null)\r\n"
           u"  insert into jobs values('001','收银员')\r\n"
           u"  insert into jobs values('002','网管')\r\n"
           u"  insert into jobs values('003','技术员')\r\n"
           u"End\r\n";
}

void fillStaff(OdbcSession& catalog) {
    constexpr int kPerBatch = 500;
    for (int first = 0; first < kStaffRows; first += kPerBatch) {
        std::u16string batch;
        for (int i = first; i < first + kPerBatch; ++i) {
            std::u16string number = ascii(std::to_string(100000 + i));
            batch += u"insert into wkinfo(swknums,swkname,swksex,swkjobnum) values(N'" + number +
                     u"',N'员工" + number + u"',0,N'002')\r\n";
        }
        catalog.run(batch);
    }
}

std::u16string photoUpdate() {
    static const char* digits = "0123456789ABCDEF";
    std::u16string hex;
    for (std::size_t i = 0; i < kPhotoBytes; ++i) {
        auto byte = static_cast<unsigned>((i * 2654435761u) >> 13) & 0xFF;
        hex += static_cast<char16_t>(digits[byte >> 4]);
        hex += static_cast<char16_t>(digits[byte & 0xF]);
    }
    return u"update wkinfo set WkPhoto=0x" + hex + u"\r\n";
}

Nanoseconds sqliteShellRead(const std::string& file) {
    std::vector<std::string> arguments{"sqlite3", file, "select * from WkInfo"};
    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    return timed([&] {
        pid_t child = 0;
        if (posix_spawnp(&child, "sqlite3", &actions, nullptr, argv.data(), environ) != 0) {
            throw std::runtime_error("cannot start the sqlite3 shell");
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            throw std::runtime_error("the sqlite3 shell failed to read " + file);
        }
    });
}

double milliseconds(Nanoseconds value) {
    return static_cast<double>(value.count()) / 1e6;
}

double microseconds(Nanoseconds value) {
    return static_cast<double>(value.count()) / 1e3;
}

void compareRowReads(OdbcSession& catalog, Nanoseconds shell, const char* label) {
    std::size_t rows = 0;
    Nanoseconds tdslite = median(kRepeats, [&] {
        return timed([&] { rows = catalog.readAll(u"select * from WkInfo\r\n"); });
    });
    double ratio = static_cast<double>(tdslite.count()) / static_cast<double>(shell.count());
    std::printf("select of %zu WkInfo rows %-36s tdslite %8.1f ms   sqlite3 shell %8.1f ms   ratio "
                "%.2fx (target <= 3x)\n",
                rows, label, milliseconds(tdslite), milliseconds(shell), ratio);
}

void compareRowReads(OdbcSession& catalog, OdbcSession& largePackets, const std::string& file,
                     const char* photos) {
    Nanoseconds shell = median(kRepeats, [&] { return sqliteShellRead(file); });
    compareRowReads(catalog, shell, (std::string(photos) + ", 4096-byte packets:").c_str());
    compareRowReads(largePackets, shell, (std::string(photos) + ", 32767-byte packets:").c_str());
}

} // namespace

// An optional argument names an empty directory to keep the databases in afterwards.
int main(int argc, char** argv) {
    try {
        tdslite::testing::ServerProcess server({{}, argc > 1 ? argv[1] : ""});
        {
            OdbcSession serverLevel(connectionString(server, ""));
            serverLevel.run(u"create database score\r\n");
        }
        OdbcSession catalog(connectionString(server, "score"));
        catalog.run(initialisationBatch());

        Nanoseconds echo = median(kRepeats, [] { return echoRoundTrip(64, kRoundTrips); });
        Nanoseconds query = median(kRepeats, [&] {
            return timed([&] {
                       for (int i = 0; i < kRoundTrips; ++i) {
                           catalog.readAll(u"select * from Jobs\r\n");
                       }
                   }) /
                   kRoundTrips;
        });
        std::printf("round trip of \"select * from Jobs\" (x%d)   tdslite %7.1f us   loopback echo "
                    "%7.1f us   ratio %.2fx (target <= 5x)\n",
                    kRoundTrips, microseconds(query), microseconds(echo),
                    static_cast<double>(query.count()) / static_cast<double>(echo.count()));

        fillStaff(catalog);
        OdbcSession largePackets(connectionString(server, "score", 32767));
        std::string file = server.dataDir() + "/score.sqlite";
        compareRowReads(catalog, largePackets, file, "without photos");
        catalog.run(photoUpdate());
        compareRowReads(catalog, largePackets, file, "with 30 KB photos");
        return 0;
    } catch (const std::exception& fault) {
        std::fprintf(stderr, "tdslite_bench: %s\n", fault.what());
        return 1;
    }
}
