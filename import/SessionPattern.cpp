#include "import/SessionPattern.h"

#include <cmath>
#include <cstdio>

namespace tts::import {

std::string sessionPattern(double hours) {
    const double whole = std::floor(hours);
    std::string pattern;
    double ones = whole;
    if (whole > 13) {
        // %.0f rather than an integer type: 1E12 hours must not overflow.
        char digits[400];
        std::snprintf(digits, sizeof digits, "%.0f", whole - 13);
        pattern = digits;
        ones = 13;
    }
    if (ones > 0)
        pattern.append(static_cast<size_t>(ones), '1');
    if (whole < hours)
        pattern += '\xBD';
    return pattern;
}

} // namespace tts::import
