#include "base/platform/Folders.h"
#include "base/platform/win32/Wide.h"

#include <windows.h>

#include <cctype>

namespace tts::platform {

PathKind pathKind(const std::string& path) {
    if (path.empty())
        return PathKind::Missing;
    const DWORD attributes = ::GetFileAttributesW(widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return PathKind::Missing;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return PathKind::Folder;
    if (attributes & FILE_ATTRIBUTE_DEVICE)
        return PathKind::Other;
    return PathKind::File;
}

char pathSeparator() {
    return '\\';
}

bool isAbsolutePath(const std::string& path) {
    auto separator = [](char c) { return c == '\\' || c == '/'; };
    if (!path.empty() && separator(path[0]))
        return true; // "\x" on the current drive, or "\\server\share"
    return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
           path[1] == ':' && separator(path[2]);
}

std::string currentFolder() {
    const DWORD size = ::GetCurrentDirectoryW(0, nullptr);
    if (size == 0)
        return {};
    std::wstring buffer(size, L'\0');
    const DWORD length = ::GetCurrentDirectoryW(size, buffer.data());
    buffer.resize(length);
    return narrow(buffer);
}

SystemError listFolder(const std::string& folder, std::vector<std::string>& names) {
    names.clear();
    WIN32_FIND_DATAW entry;
    const HANDLE search = ::FindFirstFileW(widen(joinPath(folder, "*")).c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? 0 : static_cast<SystemError>(error);
    }
    do {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(narrow(name));
    } while (::FindNextFileW(search, &entry));
    const DWORD error = ::GetLastError();
    ::FindClose(search);
    return error == ERROR_NO_MORE_FILES ? 0 : static_cast<SystemError>(error);
}

SystemError removeFile(const std::string& path) {
    return ::DeleteFileW(widen(path).c_str()) ? 0 : static_cast<SystemError>(::GetLastError());
}

void flushFolder(const std::string&) {
    // MoveFileExW with MOVEFILE_WRITE_THROUGH has made the rename durable already.
}

} // namespace tts::platform
