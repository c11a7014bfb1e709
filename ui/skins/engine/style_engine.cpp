#include "ui/skins/engine/style_engine.h"

#include "ui/skins/engine/skin_looks.h"
#include "ui/skins/engine/skin_style.h"

#include <QApplication>
#include <QStyleFactory>
#include <QWidget>

namespace {

const QString kPlatformLook = QStringLiteral("Windows");
QString appliedName;

QStyle* styleFor(const QString& name) {
    if (name == kPlatformLook)
        return QStyleFactory::create(kPlatformLook);
    if (const SkinLook* look = findSkinLook(name))
        return new SkinStyle(*look);
    return nullptr;
}

// Every colour of every group marked as set, so that none is taken from the desktop's theme.
QPalette everyColourSet(const QPalette& palette) {
    QPalette complete = palette;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        for (int role = 0; role < QPalette::NColorRoles; ++role)
            if (role != QPalette::NoRole)
                complete.setBrush(group, QPalette::ColorRole(role),
                                  palette.brush(group, QPalette::ColorRole(role)));
    return complete;
}

// A widget with a style sheet of its own works its colours out from the palette in force at the
// time and keeps them; have it work them out again from the new one.
void refreshOwnStyleSheets() {
    for (QWidget* widget : QApplication::allWidgets()) {
        const QString sheet = widget->styleSheet();
        if (sheet.isEmpty())
            continue;
        widget->setStyleSheet(QString());
        widget->setStyleSheet(sheet);
    }
}

} // namespace

QStringList skinNames() {
    QStringList names{kPlatformLook};
    for (const SkinLook& look : skinLooks())
        names << QString::fromLatin1(look.name);
    return names;
}

bool applyStyle(const QString& name) {
    QStyle* style = styleFor(name);
    if (!style)
        return false;
    // The application owns the style from here on and deletes the previous one.
    QApplication::setStyle(style);
    QApplication::setPalette(everyColourSet(style->standardPalette()));
    // Qt hands the new palette to the widgets through posted events; deliver them now, so
    // that every window has the new look when we return.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::ApplicationPaletteChange);
    refreshOwnStyleSheets();
    appliedName = name;
    return true;
}

QString currentStyleName() {
    return appliedName;
}
