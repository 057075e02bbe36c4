#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tts {

// The one decimal grammar of the program: an optional sign, digits with at most one "." among
// or after them (one digit at least), and an optional exponent ("e" or "E", an optional sign,
// digits). No blanks, no inf or nan, no hexadecimal.
struct DecimalShape {
    bool valid = false;
    bool whole = false; // written without point or exponent
};
DecimalShape decimalShape(std::string_view text);

// The value of a text of that grammar with "." as separator whatever the locale. The one
// overflow rule: a number beyond a double is no value (nullopt); one too small for it reads as
// zero.
std::optional<double> decimalValue(std::string_view text);

// A whole number: optional sign, decimal digits, 32-bit range.
// Anything else raises "'<text>' no es un valor entero válido".
int32_t toInteger(std::string_view text);

// A decimal number with "." as separator whatever the locale; sign and exponent allowed.
// Anything else raises "'<text>' no es un valor punto flotante válido".
double toDecimal(std::string_view text);

// Hexadecimal digits only, 1 to 8 significant ones (leading zeros allowed), read as unsigned
// 32 bits. The error names the text as "$<text>", the form in which the host passes handles.
uint32_t toHexHandle(std::string_view text);

} // namespace tts
