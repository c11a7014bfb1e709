// The server's command line:
//   tdslite [--bind ADDR] [--port N] [--data DIR] [--login NAME:PASSWORD[:ROLE]]... [--collation
//   NAME]
#pragma once

#include "engine.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace tdslite::protocol {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct CommandLine {
    std::string bindAddress = "127.0.0.1";
    std::uint16_t port = 1433;
    std::string dataDir; // empty: the user's data directory
    std::vector<LoginAccount> logins;
    std::string collation = "Chinese_PRC_CI_AS";
    bool showHelp = false;
};

// Throws UsageError with a message fit to show the user.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// NAME:PASSWORD[:ROLE]; the password may hold colons only when a role follows it.
LoginAccount parseLoginArgument(const std::string& text);

// The default sa login stays unless a --login names sa itself.
std::vector<LoginAccount> effectiveLogins(const std::vector<LoginAccount>& fromCommandLine);

// $XDG_DATA_HOME/tdslite, else ~/.local/share/tdslite.
std::string defaultDataDir();

extern const char* const kUsage;

} // namespace tdslite::protocol
