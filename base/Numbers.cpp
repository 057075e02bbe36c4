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

double toDecimal(std::string_view text) {
    auto fail = [&]() -> double {
        throw Error("'" + std::string(text) + "' no es un valor punto flotante v\xE1lido");
    };
    // Grammar checked by hand so that inf, nan, hex floats and blanks are all refused.
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < text.size() && isDigit(text[i]))
        ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return fail();
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        size_t expDigits = 0;
        while (i < text.size() && isDigit(text[i]))
            ++i, ++expDigits;
        if (expDigits == 0)
            return fail();
    }
    if (i != text.size())
        return fail();
    std::string_view body = text;
    if (!body.empty() && body.front() == '+')
        body.remove_prefix(1);
    double value = 0;
    auto [ptr, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // from_chars leaves the value untouched here: tell overflow (not a value) from underflow
        // (reads as zero) by the decimal magnitude of the text.
        if (decimalMagnitude(body) > 0)
            return fail();
        value = 0;
    } else if (ec != std::errc() || ptr != body.data() + body.size()) {
        return fail();
    }
    return value;
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
