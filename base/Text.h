#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tts {

// Blanks and control characters (codes 0 to 32) off both ends: how every value taken from a
// fixed column or a table field is cleaned.
inline std::string_view trimmedOfControls(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32)
        --end;
    return text.substr(begin, end - begin);
}

// Adds one part to a key of several values: its length first, so that values holding any byte
// can never run into each other ("\2ab" + "\1c" differs from "\1a" + "\2bc"). A length below
// 255, as every column value has, is one byte; a longer one is 255 and then its eight bytes.
inline void appendKeyPart(std::string& key, std::string_view value) {
    if (value.size() < 255) {
        key += static_cast<char>(value.size());
    } else {
        const uint64_t size = value.size();
        key += '\xFF';
        key.append(reinterpret_cast<const char*>(&size), sizeof size);
    }
    key.append(value);
}

} // namespace tts
