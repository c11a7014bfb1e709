// The full palette of one of our looks, every colour group included.
#pragma once

#include "ui/skins/engine/skin_looks.h"

#include <QPalette>

QPalette paletteOf(const SkinLook& look);
