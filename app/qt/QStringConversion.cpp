#include "app/qt/QStringConversion.h"

#include "base/Windows1252.h"

namespace tts::app {

QString fromWindows1252(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char ch : bytes)
        text.append(QChar(windows1252ToUnicode(static_cast<unsigned char>(ch))));
    return text;
}

std::string toWindows1252(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    for (QChar ch : text) {
        const int byte = unicodeToWindows1252(ch.unicode());
        bytes += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return bytes;
}

} // namespace tts::app
