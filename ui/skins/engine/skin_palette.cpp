#include "ui/skins/engine/skin_palette.h"

namespace {

void setShared(QPalette& palette, const SkinLook& look, QPalette::ColorGroup group) {
    const QColor button(look.button);
    const QColor border(look.border);
    palette.setColor(group, QPalette::Window, QColor(look.window));
    palette.setColor(group, QPalette::Light, blend(button, Qt::white, 0.7));
    palette.setColor(group, QPalette::Midlight, blend(button, Qt::white, 0.35));
    // Mid draws the list views' grid lines on `base`: visible, never heavy.
    palette.setColor(group, QPalette::Mid, blend(button, border, 0.45));
    palette.setColor(group, QPalette::Dark, blend(button, border, 0.7));
    palette.setColor(group, QPalette::Shadow, border.darker(130));
    palette.setColor(group, QPalette::BrightText, Qt::white);
    palette.setColor(group, QPalette::ToolTipBase, QColor(look.base));
    palette.setColor(group, QPalette::ToolTipText, QColor(look.text));
}

void setEnabledColours(QPalette& palette, const SkinLook& look, QPalette::ColorGroup group) {
    setShared(palette, look, group);
    const QColor base(look.base);
    const QColor text(look.text);
    palette.setColor(group, QPalette::WindowText, QColor(look.windowText));
    palette.setColor(group, QPalette::Base, base);
    palette.setColor(group, QPalette::AlternateBase, blend(base, QColor(look.button), 0.35));
    palette.setColor(group, QPalette::Text, text);
    palette.setColor(group, QPalette::PlaceholderText, blend(text, base, 0.45));
    palette.setColor(group, QPalette::Button, QColor(look.button));
    palette.setColor(group, QPalette::ButtonText, QColor(look.buttonText));
    palette.setColor(group, QPalette::Highlight, QColor(look.highlight));
    palette.setColor(group, QPalette::HighlightedText, QColor(look.highlightedText));
    palette.setColor(group, QPalette::Link, QColor(look.highlight));
    palette.setColor(group, QPalette::LinkVisited, blend(QColor(look.highlight), text, 0.4));
}

void setDisabledColours(QPalette& palette, const SkinLook& look) {
    constexpr QPalette::ColorGroup group = QPalette::Disabled;
    setShared(palette, look, group);
    const SkinShades shades = shadesOf(look);
    palette.setColor(group, QPalette::WindowText, shades.windowTextDisabled);
    palette.setColor(group, QPalette::Base, shades.baseDisabled);
    palette.setColor(group, QPalette::AlternateBase, shades.baseDisabled);
    palette.setColor(group, QPalette::Text, shades.textDisabled);
    palette.setColor(group, QPalette::PlaceholderText, shades.textDisabled);
    palette.setColor(group, QPalette::Button, shades.buttonDisabled);
    palette.setColor(group, QPalette::ButtonText, shades.buttonTextDisabled);
    palette.setColor(group, QPalette::Highlight,
                     blend(QColor(look.highlight), shades.baseDisabled, 0.5));
    palette.setColor(group, QPalette::HighlightedText, QColor(look.highlightedText));
    palette.setColor(group, QPalette::Link, shades.textDisabled);
    palette.setColor(group, QPalette::LinkVisited, shades.textDisabled);
}

} // namespace

QPalette paletteOf(const SkinLook& look) {
    QPalette palette;
    // An inactive window looks like an active one: the program has one window, and a message
    // box in front of it should not make it look disabled.
    setEnabledColours(palette, look, QPalette::Active);
    setEnabledColours(palette, look, QPalette::Inactive);
    setDisabledColours(palette, look);
    return palette;
}
