#include "cli/ConsoleRunHost.h"

#include <ostream>

namespace tts::cli {

namespace {
// 0x80-0x9F of Windows-1252; 0 where the code page leaves the byte undefined.
const char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                            0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
} // namespace

std::string toUtf8(const std::string& windows1252) {
    std::string out;
    out.reserve(windows1252.size());
    for (char ch : windows1252) {
        unsigned c = static_cast<unsigned char>(ch);
        unsigned u = c;
        if (c >= 0x80 && c < 0xA0)
            u = kHigh[c - 0x80] ? kHigh[c - 0x80] : 0xFFFD;
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
    return out;
}

void ConsoleRunHost::showMessage(const std::string& text) {
    messages_.push_back(text);
    if (text == "Proceso finalizado")
        out_ << toUtf8(text) << std::endl;
    else
        err_ << toUtf8(text) << std::endl;
}

} // namespace tts::cli
