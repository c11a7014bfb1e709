#pragma once

#include <QIcon>

// The program's icon, drawn rather than shipped: a score sheet with a check mark.
QIcon appIcon();
