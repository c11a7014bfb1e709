// A fresh tdslite per test, and connections to it through the program's FreeTDS settings.
#pragma once

#include "odbc_client.h"
#include "server_process.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace tdslite::odbctest {

class TdsliteTest : public ::testing::Test {
protected:
    explicit TdsliteTest(tdslite::testing::ServerOptions options = {})
        : server_(std::move(options)) {}

    std::unique_ptr<OdbcConnection> connect(const std::string& database = "",
                                            const std::string& user = "sa",
                                            const std::string& password = "") {
        return std::make_unique<OdbcConnection>(
            freeTdsConnectionString(server_.host(), server_.port(), user, password, database));
    }

    // Runs a statement that must succeed and returns its outcome.
    BatchOutcome run(OdbcConnection& connection, const std::string& sql) {
        BatchOutcome outcome = connection.execute(sql);
        EXPECT_TRUE(outcome.succeeded()) << sql << "\n" << describe(outcome);
        return outcome;
    }

    // The score database as the program's initialisation leaves it.
    void createInitialisedScore();

    static std::string describe(const BatchOutcome& outcome);

    tdslite::testing::ServerProcess server_;
};

// The initialisation batch as the gateway sends it: its lines, each ended by CR LF.
std::string initialisationBatch();

std::vector<std::string> column(const ResultPart& part, std::size_t index);

} // namespace tdslite::odbctest
