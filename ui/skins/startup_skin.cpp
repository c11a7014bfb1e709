#include "ui/skins/startup_skin.h"

#include "ui/skins/engine/style_engine.h"

void applyStartupSkin(const QString& name, StyleNotFoundDialog& dialog) {
    if (!applyStyle(name))
        dialog.show(QStringLiteral("Style '%1' not found").arg(name));
}
