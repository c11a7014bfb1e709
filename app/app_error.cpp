#include "app/app_error.h"

#include <QFileInfo>

QString applicationErrorText(const QString& failureText) {
    if (!failureText.isEmpty() && failureText.back() <= QChar(u'.'))
        return failureText;
    return failureText + u'.';
}

QString applicationErrorTitle(const QString& executablePath) {
    QString name = QFileInfo(executablePath).fileName();
    const qsizetype dot = name.indexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    if (name.isEmpty())
        return name;
    return name.left(1) + name.mid(1).toLower();
}
