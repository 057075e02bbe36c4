#include "base/platform/Folders.h"
#include "base/platform/win32/Wide.h"

#include <windows.h>

#include <algorithm>
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

SystemError pathError(const std::string& path) {
    if (path.empty())
        return ERROR_FILE_NOT_FOUND;
    if (::GetFileAttributesW(widen(path).c_str()) != INVALID_FILE_ATTRIBUTES)
        return 0;
    return static_cast<SystemError>(::GetLastError());
}

bool isLink(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
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

std::string absolutePath(const std::string& path) {
    // The system's own rules: drive-relative paths, "\x" on the current drive, "." and "..".
    const std::wstring wide = widen(path.empty() ? std::string(".") : path);
    const DWORD size = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return {};
    std::wstring full(size, L'\0');
    const DWORD length = ::GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size)
        return {};
    full.resize(length);
    std::string clean = narrow(full);
    // No separator at the end but at a root ("C:\", "\\server\share\").
    while (clean.size() > stepsOf(clean).root.size() && clean.back() == '\\')
        clean.pop_back();
    return clean;
}

PathSteps stepsOf(const std::string& absolute) {
    PathSteps steps;
    size_t start = 0;
    if (absolute.rfind("\\\\", 0) == 0) {
        // "\\server\share\": the server and the share make the root together.
        const size_t server = absolute.find('\\', 2);
        const size_t share =
            server == std::string::npos ? std::string::npos : absolute.find('\\', server + 1);
        start = share == std::string::npos ? absolute.size() : share + 1;
        steps.root = absolute.substr(0, start);
        if (steps.root.back() != '\\')
            steps.root += '\\';
    } else {
        start = std::min<size_t>(3, absolute.size());
        steps.root = absolute.substr(0, start);
    }
    while (start < absolute.size()) {
        size_t end = absolute.find('\\', start);
        if (end == std::string::npos)
            end = absolute.size();
        if (end > start)
            steps.names.push_back(absolute.substr(start, end - start));
        start = end + 1;
    }
    return steps;
}

SystemError setCurrentFolder(const std::string& folder) {
    return ::SetCurrentDirectoryW(widen(folder).c_str())
               ? 0
               : static_cast<SystemError>(::GetLastError());
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

SystemError folderListingError(const std::string& folder) {
    WIN32_FIND_DATAW entry;
    const HANDLE search = ::FindFirstFileW(widen(joinPath(folder, "*")).c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? 0 : static_cast<SystemError>(error);
    }
    ::FindClose(search);
    return 0;
}

SystemError removeFile(const std::string& path) {
    return ::DeleteFileW(widen(path).c_str()) ? 0 : static_cast<SystemError>(::GetLastError());
}

void flushFolder(const std::string&) {
    // MoveFileExW with MOVEFILE_WRITE_THROUGH has made the rename durable already.
}

} // namespace tts::platform
