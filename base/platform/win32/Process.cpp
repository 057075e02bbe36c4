#include "base/platform/Process.h"
#include "base/platform/win32/Wide.h"

#include <windows.h>

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

} // namespace tts::platform
