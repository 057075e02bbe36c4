#pragma once

#include <cstdint>
#include <string_view>

namespace tts {

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
