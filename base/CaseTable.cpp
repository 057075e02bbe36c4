#include "base/CaseTable.h"

#include <array>

namespace tts {

namespace {

std::array<unsigned char, 256> makeFoldTable() {
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

const std::array<unsigned char, 256> kFold = makeFoldTable();

} // namespace

unsigned char foldCase(unsigned char c) {
    return kFold[c];
}

std::string foldCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(kFold[static_cast<unsigned char>(c)]);
    return out;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (kFold[static_cast<unsigned char>(a[i])] != kFold[static_cast<unsigned char>(b[i])])
            return false;
    return true;
}

std::string upperAsciiOnly(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    return out;
}

std::string lowerAsciiOnly(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    return out;
}

} // namespace tts
