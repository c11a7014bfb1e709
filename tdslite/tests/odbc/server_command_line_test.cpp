// The server's command line: the first output line, refused arguments, a port in use,
// and a clean stop on SIGTERM and SIGINT with clients still connected.
#include "child_process.h"
#include "tds_socket.h"
#include "tdslite_fixture.h"

#include <gmock/gmock.h>

#include <csignal>
#include <filesystem>
#include <regex>

namespace tdslite::odbctest {
namespace {

using ::testing::HasSubstr;

class ServerCommandLineTest : public TdsliteTest {
protected:
    std::string scratchDir() { return server_.dataDir() + "/other"; }
};

TEST_F(ServerCommandLineTest, APortInUseIsRefusedWithAClearMessage) {
    Finished second =
        runTdslite({"--port", std::to_string(server_.port()), "--data", scratchDir()});
    EXPECT_NE(second.exitCode, 0);
    EXPECT_EQ(second.standardOutput, "");
    EXPECT_THAT(second.standardError,
                HasSubstr("cannot listen on 127.0.0.1:" + std::to_string(server_.port())));
    EXPECT_NO_THROW(connect()) << "the first server is untouched";
}

TEST_F(ServerCommandLineTest, ADataDirectoryInUseIsRefusedWithAClearMessage) {
    Finished second = runTdslite({"--port", "0", "--data", server_.dataDir()});
    EXPECT_NE(second.exitCode, 0);
    EXPECT_EQ(second.standardOutput, "");
    EXPECT_THAT(second.standardError, HasSubstr("in use by another tdslite"));
    EXPECT_NO_THROW(connect()) << "the first server is untouched";
}

TEST_F(ServerCommandLineTest, BadArgumentsAreRefusedWithAClearMessage) {
    struct BadArguments {
        std::vector<std::string> arguments;
        const char* message;
    };
    const BadArguments cases[] = {
        {{"--port", "http"}, "--port needs a number from 0 to 65535"},
        {{"--port", "70000"}, "--port needs a number from 0 to 65535"},
        {{"--login", "nocolon"}, "--login needs NAME:PASSWORD[:ROLE]"},
        {{"--login", "a:b:owner"}, "unknown role 'owner'"},
        {{"--collation", "Klingon_CI_AS"}, "unsupported collation 'Klingon_CI_AS'"},
        {{"--verbose"}, "unknown option '--verbose'"},
        {{"--data"}, "--data needs a value"},
        {{"--bind", "999.1.1.1"}, "cannot listen on 999.1.1.1:0"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments{"--port", "0", "--data", scratchDir()};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        Finished finished = runTdslite(arguments);
        EXPECT_NE(finished.exitCode, 0) << c.message;
        EXPECT_THAT(finished.standardError, HasSubstr(c.message));
        EXPECT_EQ(finished.standardOutput, "") << c.message;
    }
}

TEST_F(ServerCommandLineTest, StopsCleanlyOnSigtermAndSigintWithClientsConnected) {
    for (int signal : {SIGTERM, SIGINT}) {
        RunningTdslite running({"--port", "0", "--data", scratchDir()});
        std::smatch match;
        ASSERT_TRUE(std::regex_match(running.firstLine(), match,
                                     std::regex("listening on 127\\.0\\.0\\.1:(\\d+)")))
            << running.firstLine();
        int port = std::stoi(match[1]);
        auto idle = OdbcConnection(freeTdsConnectionString("127.0.0.1", port, "sa", ""));
        auto halfSent = testtds::TdsSocket::connectTo(port);
        halfSent.send(testtds::Bytes{0x12, 0x01, 0x00});
        EXPECT_EQ(running.stopWith(signal), 0) << "signal " << signal;
    }
}

} // namespace
} // namespace tdslite::odbctest
