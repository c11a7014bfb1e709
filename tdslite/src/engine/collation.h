// The server collation: its code page, its TDS identity and its string order.
#pragma once

#include "codepage.h"

#include <cstdint>
#include <memory>
#include <string>

struct sqlite3;

namespace tdslite {

struct Collation {
    std::string name;
    bool caseSensitive = false;
    std::uint32_t lcid = 0; // locale id plus comparison flags, as in the TDS collation
    std::uint8_t sortId = 0;
    std::unique_ptr<CodePage> codePage;
};

// Throws std::invalid_argument for a collation tdslite does not know.
std::unique_ptr<Collation> makeCollation(const std::string& name);

// SQL name of the collation every text column and comparison uses.
inline constexpr const char* kCollateName = "TSQL_CI";
void registerCollation(sqlite3* db, const Collation& collation);

} // namespace tdslite
