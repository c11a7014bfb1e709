#include "ui/skins/engine/skin_looks.h"

#include <array>

namespace {

// "Kamri" looks have a deep-coloured frame with light captions; "Classico" ones are pale.
// Buttons stay light in every look: the statistics button keeps its black caption.
constexpr std::array kLooks{
    SkinLook{"Amethyst Kamri", 0x4a2c6a, 0xf5eefb, 0xe3ccf7, 0x9c7cc0, 0xfcfaff, 0x24142f, 0xe6daf1,
             0x24142f, 0x2b163f, 0xc89cf2, 0x6d3f99, 0xffffff},
    SkinLook{"Iceberg Classico", 0xe4f0f8, 0x102a3d, 0x1d5a82, 0xa3c4da, 0xffffff, 0x102a3d,
             0xd2e6f3, 0x102a3d, 0x86aecb, 0x2b8ac6, 0x2b6e9e, 0xffffff},
    SkinLook{"Slate Classico", 0xc7d0da, 0x1b2632, 0x25384c, 0x7f8e9e, 0xf7f9fb, 0x1b2632, 0xdde3ea,
             0x1b2632, 0x6f7f90, 0x3f6a93, 0x4a6076, 0xffffff},
    SkinLook{"Sapphire Kamri", 0x0f3066, 0xeaf1ff, 0xb9d3ff, 0x4d74b3, 0xf7faff, 0x0b1e40, 0xd5e2f7,
             0x0b1e40, 0x061737, 0x6fa8ff, 0x1d4fa8, 0xffffff},
    SkinLook{"Lavender Classico", 0xede7f6, 0x2d2540, 0x5b4590, 0xb8abd3, 0xffffff, 0x2d2540,
             0xded4ef, 0x2d2540, 0xa295c4, 0x7a5bc2, 0x6f56a0, 0xffffff},
    SkinLook{"Emerald Light Slate", 0xdbe2e8, 0x1d2a31, 0x136647, 0x2e8b68, 0xffffff, 0x1d2a31,
             0xe9eef2, 0x1d2a31, 0x8a99a3, 0x1fa37a, 0x1b7a58, 0xffffff},
    SkinLook{"Smokey Quartz Kamri", 0x4a423d, 0xf3eee9, 0xe8cfae, 0x8c7e72, 0xfaf8f6, 0x2a231f,
             0xddd5cd, 0x2a231f, 0x27211d, 0xd9b48a, 0x76614f, 0xffffff},
};

QColor mix(QRgb from, QRgb to, double share) {
    return blend(QColor(from), QColor(to), share);
}

} // namespace

std::span<const SkinLook> skinLooks() {
    return kLooks;
}

const SkinLook* findSkinLook(const QString& name) {
    for (const SkinLook& look : kLooks)
        if (name == QLatin1String(look.name))
            return &look;
    return nullptr;
}

QColor blend(const QColor& from, const QColor& to, double share) {
    const auto channel = [share](int a, int b) { return int(a + (b - a) * share + 0.5); };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}

SkinShades shadesOf(const SkinLook& look) {
    SkinShades shades;
    shades.buttonTop = mix(look.button, 0xffffff, 0.55);
    // Under the mouse a button lights up with a hint of the accent; pressed, it sinks darker.
    shades.hover = mix(mix(look.button, 0xffffff, 0.7).rgb(), look.accent, 0.18);
    shades.pressed = mix(look.button, look.border, 0.28);
    // Disabled controls sink towards the colour behind them, so that a disabled group box
    // reads as one faded block in a pale look and in a deep one alike.
    shades.buttonDisabled = mix(look.button, look.window, 0.35);
    shades.buttonTextDisabled = mix(look.buttonText, shades.buttonDisabled.rgb(), 0.55);
    shades.windowTextDisabled = mix(look.windowText, look.window, 0.55);
    shades.baseDisabled = mix(look.base, look.window, 0.3);
    shades.textDisabled = mix(look.text, shades.baseDisabled.rgb(), 0.55);
    shades.borderDisabled = mix(look.border, look.window, 0.5);
    shades.frameDisabled = mix(look.frame, look.window, 0.55);
    return shades;
}
