// The staff panel switches whole groups of controls at once.
#pragma once

#include <QWidget>
#include <initializer_list>

inline void setEnabledAll(std::initializer_list<QWidget*> controls, bool enabled) {
    for (QWidget* control : controls)
        control->setEnabled(enabled);
}
