#include "base/platform/ReplaceSteps.h"
#include "base/platform/win32/Wide.h"

#include <windows.h>

namespace tts::platform {

SystemError checkReplaceable(const std::string& path) {
    const std::wstring wide = widen(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return ERROR_ACCESS_DENIED;
    // Open by anyone at all, it cannot be replaced: ask for it alone, and let it go at once.
    const HANDLE handle = ::CreateFileW(wide.c_str(), GENERIC_WRITE | DELETE, 0, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return static_cast<SystemError>(::GetLastError());
    ::CloseHandle(handle);
    return 0;
}

void keepPermissions(File&, const std::string&) {}

SystemError moveOver(const std::string& from, const std::string& to) {
    return ::MoveFileExW(widen(from).c_str(), widen(to).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : static_cast<SystemError>(::GetLastError());
}

void removeIfAbandoned(const std::string& path, const std::string&) {
    // A living writer holds its temporary file without sharing it, so the delete fails; process
    // ids say nothing here (Wine gives every run the same one).
    ::DeleteFileW(widen(path).c_str());
}

SystemError diskFull() {
    return ERROR_DISK_FULL;
}

bool isStillNamed(File&, const std::string&) {
    return true; // a file held without sharing cannot be removed or replaced
}

void removeLockFile(File& file, const std::string& path) {
    file.close();
    ::DeleteFileW(widen(path).c_str()); // fails, harmlessly, when the next job has it already
}

} // namespace tts::platform
