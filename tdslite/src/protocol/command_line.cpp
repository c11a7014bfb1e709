#include "command_line.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace tdslite::protocol {

const char* const kUsage =
    "usage: tdslite [--bind ADDR] [--port N] [--data DIR] [--login NAME:PASSWORD[:ROLE]]...\n"
    "               [--collation NAME]\n"
    "  --bind ADDR        address to listen on (default 127.0.0.1)\n"
    "  --port N           TCP port, 0 for any free one (default 1433)\n"
    "  --data DIR         directory of the database files (default $XDG_DATA_HOME/tdslite)\n"
    "  --login N:P[:ROLE] a login; ROLE is sysadmin (default), writer or reader\n"
    "  --collation NAME   server collation (default Chinese_PRC_CI_AS)\n";

namespace {

std::optional<Role> roleNamed(const std::string& name) {
    if (name == "sysadmin") {
        return Role::SysAdmin;
    }
    if (name == "writer") {
        return Role::Writer;
    }
    if (name == "reader") {
        return Role::Reader;
    }
    return std::nullopt;
}

std::uint16_t parsePort(const std::string& text) {
    bool digitsOnly =
        !text.empty() && text.size() <= 5 &&
        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digitsOnly || std::stoul(text) > 65535) {
        throw UsageError("--port needs a number from 0 to 65535, not '" + text + "'");
    }
    return static_cast<std::uint16_t>(std::stoul(text));
}

} // namespace

LoginAccount parseLoginArgument(const std::string& text) {
    auto firstColon = text.find(':');
    if (firstColon == std::string::npos || firstColon == 0) {
        throw UsageError("--login needs NAME:PASSWORD[:ROLE], not '" + text + "'");
    }
    LoginAccount account;
    account.name = text.substr(0, firstColon);
    std::string rest = text.substr(firstColon + 1);
    auto lastColon = rest.rfind(':');
    if (lastColon != std::string::npos) {
        std::string roleText = rest.substr(lastColon + 1);
        auto role = roleNamed(roleText);
        if (!role) {
            throw UsageError("unknown role '" + roleText +
                             "' in --login (sysadmin, writer or reader)");
        }
        account.role = *role;
        rest.resize(lastColon);
    }
    account.password = rest;
    return account;
}

std::vector<LoginAccount> effectiveLogins(const std::vector<LoginAccount>& fromCommandLine) {
    std::vector<LoginAccount> logins;
    bool namesSa = std::any_of(fromCommandLine.begin(), fromCommandLine.end(),
                               [](const LoginAccount& account) { return account.name == "sa"; });
    if (!namesSa) {
        logins.push_back(LoginAccount{"sa", "", Role::SysAdmin});
    }
    for (const auto& account : fromCommandLine) {
        // A later --login for the same name replaces the earlier one.
        std::erase_if(logins,
                      [&](const LoginAccount& known) { return known.name == account.name; });
        logins.push_back(account);
    }
    return logins;
}

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--help" || option == "-h") {
            line.showHelp = true;
            continue;
        }
        bool takesValue = option == "--bind" || option == "--port" || option == "--data" ||
                          option == "--login" || option == "--collation";
        if (!takesValue) {
            throw UsageError("unknown option '" + option + "'");
        }
        if (i + 1 >= arguments.size()) {
            throw UsageError(option + " needs a value");
        }
        const std::string& value = arguments[++i];
        if (option == "--bind") {
            line.bindAddress = value;
        } else if (option == "--port") {
            line.port = parsePort(value);
        } else if (option == "--data") {
            line.dataDir = value;
        } else if (option == "--login") {
            line.logins.push_back(parseLoginArgument(value));
        } else {
            line.collation = value;
        }
    }
    return line;
}

std::string defaultDataDir() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && *xdg != '\0') {
        return std::string(xdg) + "/tdslite";
    }
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : ".") + "/.local/share/tdslite";
}

} // namespace tdslite::protocol
