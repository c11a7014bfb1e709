// The program-wide values every handler shares. They live for the whole process; FormCreate
// gives them their start-up values.
#pragma once

#include <QString>
#include <cstdint>
#include <memory>

class ProfileFile;

extern QString sServerIP;
extern QString sUser;
extern QString sPassword;
extern QString sAppPath;
extern QString sIniFile;
extern QString sConnStr;
extern QString sSql;
extern std::int32_t iSkinIndex;
extern std::unique_ptr<ProfileFile> IniFile;
