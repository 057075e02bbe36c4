#pragma once

// Letter case of Windows-1252 bytes, folded by one table: how every code is compared.

#include <array>
#include <string>
#include <string_view>

namespace tts {

namespace caseTable {
constexpr std::array<unsigned char, 256> makeFoldTable() {
    std::array<unsigned char, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[c] = static_cast<unsigned char>(c);
    for (int c = 'A'; c <= 'Z'; ++c)
        table[c] = static_cast<unsigned char>(c + 32);
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7)
            table[c] = static_cast<unsigned char>(c + 32);
    table[0x8A] = 0x9A; // Š š
    table[0x8C] = 0x9C; // Œ œ
    table[0x8E] = 0x9E; // Ž ž
    table[0x9F] = 0xFF; // Ÿ ÿ
    return table;
}
// In the header so that a loop over bytes folds each without a call.
inline constexpr std::array<unsigned char, 256> kFold = makeFoldTable();
} // namespace caseTable

// Letter case of Windows-1252, fixed here so that comparisons never depend on the machine's
// locale: a-z, the accented capitals 0xC0-0xDE (not 0xD7), and the four pairs of 0x8A/0x9A,
// 0x8C/0x9C, 0x8E/0x9E and 0x9F/0xFF.
inline unsigned char foldCase(unsigned char c) { // to the lower-case letter
    return caseTable::kFold[c];
}
std::string foldCase(std::string_view text);
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// Only a-z become A-Z; accented letters and ñ stay as they are.
std::string upperAsciiOnly(std::string_view text);
std::string lowerAsciiOnly(std::string_view text);

} // namespace tts
