#include "app/Windows1252.h"

namespace tts::app {

namespace {

// 0x80-0x9F. The five bytes the code page leaves undefined map to the C1 control of the same
// value, as Windows itself converts them, so that every byte survives a round trip.
const char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

QString fromWindows1252(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char ch : bytes) {
        auto c = static_cast<unsigned char>(ch);
        text.append(QChar(c >= 0x80 && c < 0xA0 ? kHigh[c - 0x80] : char16_t(c)));
    }
    return text;
}

std::string toWindows1252(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    for (QChar ch : text) {
        char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes += static_cast<char>(u);
            continue;
        }
        char byte = '?';
        for (int i = 0; i < 32; ++i)
            if (kHigh[i] == u)
                byte = static_cast<char>(0x80 + i);
        bytes += byte;
    }
    return bytes;
}

} // namespace tts::app
