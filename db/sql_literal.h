// Every value typed by the administrator reaches a statement through here.
#pragma once

#include <QString>

// N'…' with quotes doubled: the value arrives whole whatever the database's code page.
QString SqlText(const QString& value);
