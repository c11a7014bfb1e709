#include "app/globals.h"

#include "settings/profile_file.h"

QString sServerIP;
QString sUser;
QString sPassword;
QString sAppPath;
QString sIniFile;
QString sConnStr;
QString sSql;
std::int32_t iSkinIndex = 0;
std::unique_ptr<ProfileFile> IniFile;
