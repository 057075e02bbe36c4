#include "app/qt/UserText.h"

#include "base/Windows1252.h"

namespace tts::app {

QString userText(std::string_view bytes) {
    return QString::fromStdString(textForDisplay(bytes));
}

} // namespace tts::app
