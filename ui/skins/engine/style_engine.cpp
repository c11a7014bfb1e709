#include "ui/skins/engine/style_engine.h"

#include <QApplication>
#include <QStyleFactory>

namespace {
QString appliedName;
}

QStringList skinNames() {
    return {QStringLiteral("Windows"),          QStringLiteral("Amethyst Kamri"),
            QStringLiteral("Iceberg Classico"), QStringLiteral("Slate Classico"),
            QStringLiteral("Sapphire Kamri"),   QStringLiteral("Lavender Classico"),
            QStringLiteral("Emerald Light Slate"), QStringLiteral("Smokey Quartz Kamri")};
}

bool applyStyle(const QString& name) {
    if (!skinNames().contains(name))
        return false;
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    appliedName = name;
    return true;
}

QString currentStyleName() { return appliedName; }
