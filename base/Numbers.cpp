#include "base/Numbers.h"

#include "base/Error.h"

#include <charconv>
#include <algorithm>
#include <string>

namespace tts {

namespace {

[[noreturn]] void notInteger(std::string_view text) {
    // "válido" in Windows-1252
    throw Error("'" + std::string(text) + "' no es un valor entero v\xE1lido");
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Position of the first significant digit relative to the point, plus the exponent: positive
// for numbers of magnitude 1 and above. Only called on texts that passed the grammar check.
long decimalMagnitude(std::string_view text) {
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    long magnitude = 0;
    bool significant = false;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        significant = significant || text[i] != '0';
        if (significant)
            ++magnitude;
    }
    if (i < text.size() && text[i] == '.')
        for (++i; i < text.size() && isDigit(text[i]) && !significant; ++i) {
            if (text[i] != '0')
                significant = true;
            else
                --magnitude;
        }
    while (i < text.size() && text[i] != 'e' && text[i] != 'E')
        ++i;
    if (i < text.size()) {
        long exponent = 0;
        bool negative = false;
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            negative = text[i++] == '-';
        for (; i < text.size(); ++i)
            exponent = std::min(exponent * 10 + (text[i] - '0'), 100000L);
        magnitude += negative ? -exponent : exponent;
    }
    return magnitude;
}

} // namespace

int32_t toInteger(std::string_view text) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        notInteger(text);
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i]))
            notInteger(text);
        value = value * 10 + (text[i] - '0');
        if (value > int64_t{1} << 31)
            notInteger(text);
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX || value < INT32_MIN)
        notInteger(text);
    return static_cast<int32_t>(value);
}

// Checked by hand so that inf, nan, hex floats and blanks are all refused.
DecimalShape decimalShape(std::string_view text) {
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < text.size() && isDigit(text[i]))
        ++i, ++digits;
    DecimalShape shape;
    shape.whole = true;
    if (i < text.size() && text[i] == '.') {
        shape.whole = false;
        ++i;
        while (i < text.size() && isDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return {};
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        shape.whole = false;
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        size_t exponentDigits = 0;
        while (i < text.size() && isDigit(text[i]))
            ++i, ++exponentDigits;
        if (exponentDigits == 0)
            return {};
    }
    shape.valid = i == text.size();
    return shape.valid ? shape : DecimalShape{};
}

std::optional<double> decimalValue(std::string_view text) {
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // from_chars leaves the value untouched here: tell overflow (not a value) from underflow
        // (reads as zero) by the decimal magnitude of the text.
        if (decimalMagnitude(text) > 0)
            return std::nullopt;
        return 0.0;
    }
    if (ec != std::errc() || ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

double toDecimal(std::string_view text) {
    std::optional<double> value;
    if (decimalShape(text).valid)
        value = decimalValue(text);
    if (!value)
        throw Error("'" + std::string(text) + "' no es un valor punto flotante v\xE1lido");
    return *value;
}

uint32_t toHexHandle(std::string_view text) {
    auto fail = [&]() -> uint32_t {
        throw Error("'$" + std::string(text) + "' no es un valor entero v\xE1lido");
    };
    if (text.empty())
        return fail();
    uint64_t value = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return fail();
        value = value * 16 + static_cast<uint64_t>(digit);
        if (value > UINT32_MAX)
            return fail();
    }
    return static_cast<uint32_t>(value);
}

} // namespace tts
