#include "app/UserText.h"

#include "app/Windows1252.h"

#include <QStringDecoder>

#include <algorithm>

namespace tts::app {

QString userText(std::string_view bytes) {
#ifndef Q_OS_WIN
    const bool beyondAscii = std::any_of(
        bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    if (beyondAscii) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
        if (!utf8.hasError())
            return text;
    }
#endif
    return fromWindows1252(bytes);
}

} // namespace tts::app
