#include "base/platform/ReplaceSteps.h"
#include "base/platform/win32/Wide.h"

#include <windows.h>

#include <chrono>
#include <thread>

namespace tts::platform {

SystemError checkWritable(const std::string& path) {
    const std::wstring wide = widen(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return ERROR_ACCESS_DENIED;
    // Whether the file's permissions let us write it, whoever has it open (our own hold too):
    // sharing everything, only a refusal of the access itself fails.
    const HANDLE handle = ::CreateFileW(wide.c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const SystemError error = static_cast<SystemError>(::GetLastError());
        return isAccessDenied(error) ? error : 0;
    }
    ::CloseHandle(handle);
    return 0;
}

SystemError checkReplaceable(const std::string& path) {
    if (const SystemError error = checkWritable(path))
        return error;
    // Open by anyone at all, it cannot be replaced: ask for it alone, and let it go at once.
    const HANDLE handle = ::CreateFileW(widen(path).c_str(), GENERIC_WRITE | DELETE, 0, nullptr,
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

void letEveryoneRead(File&) {
    // Whoever may use the folder may read a file made in it.
}

std::string ownerOf(const std::string&) {
    return {};
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

void removeIfUnheld(const std::string& path) {
    // A living writer of this build holds its file without sharing, so this open fails; one of
    // the Linux build under Wine is seen by its fcntl lock, which makes LockFileEx fail.
    const HANDLE handle = ::CreateFileW(widen(path).c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                                        0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return;
    OVERLAPPED whole{};
    if (::LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                     MAXDWORD, &whole)) {
        FILE_DISPOSITION_INFO gone{};
        gone.DeleteFile = TRUE; // removed as we close it, still held until then
        ::SetFileInformationByHandle(handle, FileDispositionInfo, &gone, sizeof gone);
    }
    ::CloseHandle(handle);
}

SystemError diskFull() {
    return ERROR_DISK_FULL;
}

bool isStillNamed(File& file, const std::string& path) {
    BY_HANDLE_FILE_INFORMATION open{}, named{};
    if (!::GetFileInformationByHandle(reinterpret_cast<HANDLE>(file.native()), &open))
        return true; // cannot tell
    // Asking for attributes only passes every share mode, ours included.
    const HANDLE handle =
        ::CreateFileW(widen(path).c_str(), FILE_READ_ATTRIBUTES,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return !isNotFound(static_cast<SystemError>(::GetLastError()));
    const bool same = ::GetFileInformationByHandle(handle, &named) &&
                      open.dwVolumeSerialNumber == named.dwVolumeSerialNumber &&
                      open.nFileIndexHigh == named.nFileIndexHigh &&
                      open.nFileIndexLow == named.nFileIndexLow;
    ::CloseHandle(handle);
    return same;
}

void removeLockFile(File& file, const std::string& path) {
    file.close();
    ::DeleteFileW(widen(path).c_str()); // fails, harmlessly, when the next job has it already
}

} // namespace tts::platform
