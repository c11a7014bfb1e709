#include "app/app_error.h"

#include <algorithm>

QString applicationErrorText(const QString& failureText) {
    if (!failureText.isEmpty() && failureText.back() <= QChar(u'.'))
        return failureText;
    return failureText + u'.';
}

QString applicationErrorTitle(const QString& executablePath) {
    // Either separator: the path may come from the platform this was built for or another.
    const qsizetype separator =
        std::max(executablePath.lastIndexOf(u'/'), executablePath.lastIndexOf(u'\\'));
    QString name = executablePath.mid(separator + 1);
    const qsizetype dot = name.indexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    if (name.isEmpty())
        return name;
    return name.left(1) + name.mid(1).toLower();
}
