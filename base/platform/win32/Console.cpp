#include "base/platform/Console.h"

#include <windows.h>

namespace tts::platform {

bool showUtf8OnConsole() {
    // Without a console (output to a file or a pipe) the bytes are UTF-8 already.
    if (::GetConsoleWindow() == nullptr)
        return true;
    return ::SetConsoleOutputCP(CP_UTF8) != 0 && ::GetConsoleOutputCP() == CP_UTF8;
}

} // namespace tts::platform
