#include "base/Windows1252.h"

namespace tts {

namespace {

const char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char16_t u) {
    if (u < 0x80) {
        out += static_cast<char>(u);
    } else if (u < 0x800) {
        out += static_cast<char>(0xC0 | (u >> 6));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (u >> 12));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    }
}

// Windows-1252 `bytes` onto the end of `out`, in UTF-8.
void appendWindows1252(std::string& out, std::string_view bytes) {
    for (char c : bytes)
        appendUtf8(out, windows1252ToUnicode(static_cast<unsigned char>(c)));
}

} // namespace

char16_t windows1252ToUnicode(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : char16_t(byte);
}

int unicodeToWindows1252(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<int>(character);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == character)
            return 0x80 + i;
    return -1;
}

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    appendWindows1252(out, bytes);
    return out;
}

size_t utf8SequenceAt(std::string_view text, size_t i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    size_t extra;
    unsigned min;
    unsigned value;
    if ((c & 0xE0) == 0xC0) {
        extra = 1, min = 0x80, value = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        extra = 2, min = 0x800, value = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        extra = 3, min = 0x10000, value = c & 0x07;
    } else {
        return 0;
    }
    if (i + extra >= text.size())
        return 0;
    for (size_t k = 1; k <= extra; ++k) {
        const unsigned char next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (next & 0x3F);
    }
    if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    return extra + 1;
}

std::string textForDisplay(std::string_view bytes) {
    // A message joins our Windows-1252 text with a path in UTF-8 (the file system's, or the wide
    // API's converted on Windows): each well-formed UTF-8 sequence is the path's, every other byte
    // ours. Our Spanish letters are never followed by the continuation bytes a sequence needs, so
    // neither part spoils the other.
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    const auto isAscii = [&](size_t at) { return static_cast<unsigned char>(bytes[at]) < 0x80; };
    size_t i = 0;
    while (i < bytes.size()) {
        if (isAscii(i)) { // the same in both
            out += bytes[i++];
            continue;
        }
        if (const size_t length = utf8SequenceAt(bytes, i); length > 0) {
            out.append(bytes.substr(i, length));
            i += length;
            continue;
        }
        // Our letters, up to the next plain or UTF-8 byte, converted at once.
        size_t end = i + 1;
        while (end < bytes.size() && !isAscii(end) && utf8SequenceAt(bytes, end) == 0)
            ++end;
        appendWindows1252(out, bytes.substr(i, end - i));
        i = end;
    }
    return out;
}

} // namespace tts
