#include "base/platform/Process.h"
#include "base/platform/win32/Wide.h"

#include <windows.h>

#include <shellapi.h>

namespace tts::platform {

long currentProcessId() {
    return static_cast<long>(::GetCurrentProcessId());
}

std::string executablePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return narrow(buffer);
        }
        buffer.resize(buffer.size() * 2);
    }
}

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

// The process heap keeps what it can reuse on its own.
JobMemory::JobMemory() = default;
JobMemory::~JobMemory() = default;

} // namespace tts::platform
