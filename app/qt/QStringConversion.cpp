#include "app/qt/QStringConversion.h"

#include "base/Windows1252.h"

#include <QFile>

namespace tts::app {

QString fromFileName(const std::string& bytes) {
    return QFile::decodeName(QByteArray::fromStdString(bytes));
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
