#include "base/platform/Environment.h"

#include "base/platform/win32/Wide.h"

#include <windows.h>

namespace tts::platform {

std::string environmentValue(const char* name) {
    const std::wstring wide = widen(name);
    const DWORD size = ::GetEnvironmentVariableW(wide.c_str(), nullptr, 0);
    if (size == 0)
        return {};
    std::wstring value(size, L'\0');
    const DWORD length = ::GetEnvironmentVariableW(wide.c_str(), value.data(), size);
    value.resize(length < size ? length : 0);
    return narrow(value);
}

std::string hostWorkFolder() {
    return "C:\\HTEMP";
}

} // namespace tts::platform
