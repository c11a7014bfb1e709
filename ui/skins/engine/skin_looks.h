// Our seven looks as data: a handful of chosen colours each. Everything else a look needs
// (hover, pressed and disabled shades, the full palette, the style sheet) is derived from them,
// so that all seven behave alike and differ only in colour.
#pragma once

#include <QColor>
#include <QString>
#include <span>

struct SkinLook {
    const char* name;
    QRgb window;          // the frame and group box insides
    QRgb windowText;      // labels
    QRgb title;           // group box captions, drawn on `window`
    QRgb frame;           // group box edges
    QRgb base;            // edits and lists
    QRgb text;            // text on `base`
    QRgb button;          // buttons, drop-down lists, list headers
    QRgb buttonText;      // text on `button`
    QRgb border;          // edges of buttons, edits and lists
    QRgb accent;          // focus edges, hover tint
    QRgb highlight;       // selected rows and text
    QRgb highlightedText; // text on `highlight`
};

// The derived colours, shared by the palette and the style sheet.
struct SkinShades {
    QColor buttonTop; // the light end of a button's gradient
    QColor hover;
    QColor pressed;
    QColor buttonDisabled;
    QColor buttonTextDisabled;
    QColor windowTextDisabled;
    QColor baseDisabled;
    QColor textDisabled;
    QColor borderDisabled;
    QColor frameDisabled;
};

// In the order of the skin list, after the platform's own look.
std::span<const SkinLook> skinLooks();
// nullptr for a name that is not one of ours.
const SkinLook* findSkinLook(const QString& name);
SkinShades shadesOf(const SkinLook& look);
// `share` of the way from `from` to `to`, channel by channel.
QColor blend(const QColor& from, const QColor& to, double share);
