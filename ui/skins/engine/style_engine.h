// Named looks for the whole application, switched at run time.
#pragma once

#include <QString>
#include <QStringList>

// The names, in the order of the skin list: the platform's own look, then our seven.
QStringList skinNames();
// Applies the named look to every window at once; false (and nothing changed) if unknown.
bool applyStyle(const QString& name);
// The name last applied, empty before the first.
QString currentStyleName();
