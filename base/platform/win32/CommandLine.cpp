#include "base/platform/CommandLine.h"
#include "base/platform/win32/Wide.h"

#include <windows.h>

#include <shellapi.h>

namespace tts::platform {

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    // Split by the system's own rules, which are the runtime's: blanks separate, a stretch in
    // double quotes keeps its blanks and loses its quotes.
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!wide)
        return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc)
                        : std::vector<std::string>();
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(narrow(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

} // namespace tts::platform
