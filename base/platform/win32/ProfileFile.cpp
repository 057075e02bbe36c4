#include "base/platform/ProfileFile.h"

#include "base/platform/win32/Wide.h"

#include <windows.h>

namespace tts::platform {

SystemError writeProfileString(const std::string& path, std::string_view section,
                               std::string_view key, std::string_view value,
                               std::string (*)(std::string_view, std::string_view, std::string_view,
                                               std::string_view)) {
    // The system's own service: the host reads the file with its twin.
    if (::WritePrivateProfileStringW(widen(std::string(section)).c_str(),
                                     widen(std::string(key)).c_str(),
                                     widen(std::string(value)).c_str(), widen(path).c_str()))
        return 0;
    // It may fail without saying why; the reason must still not read as success.
    const DWORD error = ::GetLastError();
    return static_cast<SystemError>(error ? error : ERROR_ACCESS_DENIED);
}

} // namespace tts::platform
