#include "app/WarningMessage.h"

namespace tts::app {

std::string warningMessage(const std::vector<std::string>& warnings) {
    if (warnings.empty())
        return {};
    std::string text = "Revise estos avisos:\n";
    for (size_t i = 0; i < warnings.size() && i < kWarningsShown; ++i)
        text += "\n- " + warnings[i];
    if (warnings.size() > kWarningsShown) {
        const size_t more = warnings.size() - kWarningsShown;
        text += "\n- y " + std::to_string(more) + (more == 1 ? " aviso m\xE1s" : " avisos m\xE1s");
    }
    text += "\n\nLa ayuda (Mensajes del programa) explica qu\xE9 hacer con cada uno.";
    return text;
}

} // namespace tts::app
