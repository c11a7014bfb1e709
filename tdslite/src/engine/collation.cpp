#include "collation.h"

#include "unicode.h"

#include <sqlite3.h>
#include <stdexcept>

namespace tdslite {

namespace {

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

bool hasFlag(const std::string& name, const char* flag) {
    std::string upper;
    for (char c : name) {
        upper.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    }
    return upper.find(flag) != std::string::npos;
}

struct Family {
    const char* prefix;
    const char* iconvName;
    std::uint32_t lcid;
    std::uint8_t sortIdCi; // SQL collations carry a sort id; Windows collations have 0
    std::uint8_t sortIdCs;
};

const Family kFamilies[] = {
    {"Chinese_PRC", "GBK", 0x0804, 0, 0},
    {"SQL_Latin1_General_CP1_", "CP1252", 0x0409, 52, 51},
    {"Latin1_General", "CP1252", 0x0409, 0, 0},
    {"Chinese_Taiwan", "BIG5", 0x0404, 0, 0},
    {"Japanese", "CP932", 0x0411, 0, 0},
    {"Korean", "CP949", 0x0412, 0, 0},
    {"Cyrillic_General", "CP1251", 0x0419, 0, 0},
};

int compareText(void* arg, int lengthA, const void* a, int lengthB, const void* b) {
    const auto* collation = static_cast<const Collation*>(arg);
    return compareCollated({static_cast<const char*>(a), static_cast<std::size_t>(lengthA)},
                           {static_cast<const char*>(b), static_cast<std::size_t>(lengthB)},
                           collation->caseSensitive);
}

} // namespace

std::unique_ptr<Collation> makeCollation(const std::string& name) {
    for (const Family& family : kFamilies) {
        if (!startsWith(name, family.prefix)) {
            continue;
        }
        auto collation = std::make_unique<Collation>();
        collation->name = name;
        collation->caseSensitive = hasFlag(name, "_CS");
        bool accentInsensitive = hasFlag(name, "_AI");
        std::uint32_t flags = 0;
        if (!collation->caseSensitive) {
            flags |= 0x00100000;
        }
        if (accentInsensitive) {
            flags |= 0x00200000;
        }
        if (!hasFlag(name, "_KS")) {
            flags |= 0x00400000;
        }
        if (!hasFlag(name, "_WS")) {
            flags |= 0x00800000;
        }
        collation->lcid = family.lcid | flags;
        collation->sortId = collation->caseSensitive ? family.sortIdCs : family.sortIdCi;
        collation->codePage = std::make_unique<CodePage>(family.iconvName);
        return collation;
    }
    throw std::invalid_argument("unsupported collation: " + name);
}

void registerCollation(sqlite3* db, const Collation& collation) {
    sqlite3_create_collation_v2(db, kCollateName, SQLITE_UTF8, const_cast<Collation*>(&collation),
                                compareText, nullptr);
}

} // namespace tdslite
