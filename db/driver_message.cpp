#include "db/driver_message.h"

QString WithoutDriverPrefixes(const QString& message) {
    qsizetype start = 0;
    while (start < message.size() && message.at(start) == u'[') {
        const qsizetype close = message.indexOf(u']', start);
        if (close < 0)
            break;
        start = close + 1;
    }
    return message.mid(start);
}
