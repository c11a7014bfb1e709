// The gateway keeps its SQL text as lines and sends each followed by CR LF, the last too.
#pragma once

#include <QString>
#include <QStringList>

// Breaks at CR LF, LF or CR; a break at the very end starts no further line.
QStringList SqlLinesOf(const QString& text);
QString BatchText(const QStringList& lines);
