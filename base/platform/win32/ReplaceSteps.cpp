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
