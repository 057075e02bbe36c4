#pragma once

// The colour bands of the form's gradient panels, worked out once for both windows.

#include <cstdint>
#include <vector>

namespace tts::app {

struct Rgb {
    uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const Rgb&) const = default;
};

// One horizontal band of a gradient panel: rows [top, top + rows) in one colour.
struct GradientBand {
    int top = 0;
    int rows = 0;
    Rgb colour;
};

// The fill of a panel `height` pixels high: the top colour at the top edge, the middle one at
// half height, the bottom one at the bottom edge; each half a linear blend drawn as horizontal
// bands, one per pixel row and at most 256.
std::vector<GradientBand> gradientBands(int height, Rgb top, Rgb middle, Rgb bottom);

// The window's colours.
namespace colours {
inline constexpr Rgb warmTop{0xFF, 0xEE, 0xDD}, warmMiddle{0xFF, 0xFF, 0xFF},
    warmBottom{0xF9, 0xD3, 0x7D};
inline constexpr Rgb coolTop{0xCC, 0xD8, 0xE6}, coolMiddle{0xCF, 0xF2, 0xFE},
    coolBottom{0xC2, 0xCD, 0xFE};
inline constexpr Rgb chooserBackground{0xF0, 0xFB, 0xFF};
inline constexpr Rgb red{0xFF, 0, 0}, blue{0, 0, 0xFF};
} // namespace colours

} // namespace tts::app
