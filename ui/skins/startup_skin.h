#pragma once

#include "app/platform.h"

// The look the program starts in, before its window exists.
inline constexpr const char16_t* kStartupSkin = u"Smokey Quartz Kamri";

// Applies `name`; an unknown name shows "Style '<name>' not found" and start-up goes on.
void applyStartupSkin(const QString& name, StyleNotFoundDialog& dialog);
