// The benchmarks' memory figure: this process's resident set, as the kernel reports it.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

inline long residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}
