#include "base/platform/Console.h"

namespace tts::platform {

bool showUtf8OnConsole() {
    return true; // terminals here take the locale's UTF-8
}

} // namespace tts::platform
