#include "base/platform/ReplaceSteps.h"
#include "base/platform/win32/Wide.h"

#include <windows.h>

#include <chrono>
#include <thread>

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

void keepPermissions(File& temporary, const std::string& oldPath) {
    // A hidden or system file stays one after its replacement; read-only never gets this far.
    const DWORD old = ::GetFileAttributesW(widen(oldPath).c_str());
    constexpr DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                           FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (old == INVALID_FILE_ATTRIBUTES || (old & FILE_ATTRIBUTE_DIRECTORY) || !(old & kept))
        return;
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = old & kept;
    ::SetFileInformationByHandle(reinterpret_cast<HANDLE>(temporary.native()), FileBasicInfo,
                                 &basic, sizeof basic);
}

SystemError moveOver(const std::string& from, const std::string& to) {
    const std::wstring source = widen(from), target = widen(to);
    // Another program that opens the old file for a moment (a viewer, a virus scanner) makes
    // the rename fail with "access denied": it is given a little time, and if it still holds
    // the file it is said to be using it, which is what the user can act on.
    for (int attempt = 0;; ++attempt) {
        if (::MoveFileExW(source.c_str(), target.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return 0;
        const DWORD error = ::GetLastError();
        if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)
            return static_cast<SystemError>(error);
        const SystemError now = checkReplaceable(to);
        if (now != 0 && now != ERROR_SHARING_VIOLATION && now != ERROR_FILE_NOT_FOUND)
            return now; // made read-only, or denied to us for good
        if (attempt == 20)
            return now == ERROR_SHARING_VIOLATION ? now : static_cast<SystemError>(error);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
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
