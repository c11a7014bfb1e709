// A fresh engine on a temporary data directory, and helpers to run batches and read results.
#pragma once

#include "engine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tdslite::testing {

// The batch that creates the tables and seeds the positions, as the program sends it.
extern const char* const kInitialisationBatch;

std::u16string u16(std::string_view utf8);
std::string u8(std::u16string_view text);
// A value as text for comparisons in tests: NULL, numbers, 0x.. bytes, 12.50, datetimes as
// days:ticks.
std::string show(const Value& value);

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Recreates the engine on the same data directory, as a restart would.
    void restart(const std::string& collation = "Chinese_PRC_CI_AS");
    std::unique_ptr<Session> connect(const std::string& user = "sa",
                                     const std::string& password = "",
                                     const std::string& database = "");
    BatchResult run(Session& session, std::string_view batch);
    BatchResult run(std::string_view batch) { return run(*session_, batch); }
    // Runs a batch that must succeed statement by statement.
    BatchResult ok(std::string_view batch);
    void initialiseScore();

    std::filesystem::path dataDir_;
    std::vector<LoginAccount> logins_;
    std::string user_ = "sa"; // the login of session_
    std::string password_;
    std::unique_ptr<Engine> engine_;
    std::unique_ptr<Session> session_;
};

std::vector<int> errorNumbers(const StatementResult& result);
std::vector<std::vector<std::string>> cells(const StatementResult& result);
std::vector<std::string> columnNames(const StatementResult& result);

} // namespace tdslite::testing
