#include "app/Gradient.h"

#include <algorithm>

namespace tts::app {

namespace {

uint8_t blend(uint8_t from, uint8_t to, int step, int steps) {
    return static_cast<uint8_t>(steps <= 1 ? from : from + (to - from) * step / (steps - 1));
}

void addHalf(std::vector<GradientBand>& bands, int top, int rows, Rgb from, Rgb to) {
    const int count = std::min(rows, 256);
    for (int band = 0; band < count; ++band) {
        const int y0 = top + band * rows / count;
        const int y1 = top + (band + 1) * rows / count;
        bands.push_back(
            {y0,
             y1 - y0,
             {blend(from.red, to.red, band, count), blend(from.green, to.green, band, count),
              blend(from.blue, to.blue, band, count)}});
    }
}

} // namespace

std::vector<GradientBand> gradientBands(int height, Rgb top, Rgb middle, Rgb bottom) {
    std::vector<GradientBand> bands;
    if (height <= 0)
        return bands;
    const int upper = height / 2;
    addHalf(bands, 0, upper, top, middle);
    addHalf(bands, upper, height - upper, middle, bottom);
    return bands;
}

} // namespace tts::app
