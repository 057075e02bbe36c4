#pragma once

#include <charconv>
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

// Adds one part to a key of several values: its length first, so that values holding any byte,
// ':' included, can never run into each other ("2:ab" + "c" differs from "1:a" + "bc").
inline void appendKeyPart(std::string& key, std::string_view value) {
    char length[24];
    const auto [end, error] = std::to_chars(length, length + sizeof length, value.size());
    (void)error; // a size always fits
    key.append(length, end);
    key += ':';
    key += value;
}

} // namespace tts
