#include "tables/TableFiles.h"

#include "tables/TableErrors.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

namespace tts::tables::tableFiles {

namespace {

std::string absoluteFolder(const std::string& folder) {
    if (!folder.empty() && folder[0] == '/')
        return folder;
    char buffer[4096];
    if (::getcwd(buffer, sizeof buffer) == nullptr)
        return folder;
    std::string cwd(buffer);
    if (folder.empty() || folder == ".")
        return cwd;
    return cwd + "/" + folder;
}

bool equalsIgnoringAsciiCase(const char* a, const std::string& b) {
    size_t i = 0;
    for (; a[i] != '\0' && i < b.size(); ++i) {
        auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
        if (lower(static_cast<unsigned char>(a[i])) != lower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return a[i] == '\0' && i == b.size();
}

bool isRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

std::string joinPath(const std::string& folder, const std::string& fileName) {
    std::string base = absoluteFolder(folder);
    if (base.empty() || base.back() != '/')
        base += '/';
    return base + fileName;
}

void requireFolder(const std::string& folder) {
    struct stat info {};
    if (folder.empty() || ::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        throw tableErrors::invalidFolder(folder);
}

std::optional<std::string> findFile(const std::string& folder, const std::string& fileName) {
    std::string exact = joinPath(folder, fileName);
    if (isRegularFile(exact))
        return exact;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()),
                                            ::closedir);
    if (!dir)
        return std::nullopt;
    while (const dirent* entry = ::readdir(dir.get())) {
        if (!equalsIgnoringAsciiCase(entry->d_name, fileName))
            continue;
        std::string candidate = joinPath(folder, entry->d_name);
        if (isRegularFile(candidate))
            return candidate;
    }
    return std::nullopt;
}

void removeIfPresent(const std::string& folder, const std::string& fileName) {
    while (auto path = findFile(folder, fileName)) {
        if (::unlink(path->c_str()) != 0)
            return;
    }
}

std::vector<std::string> entryNames(const std::string& folder) {
    std::vector<std::string> names;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()),
                                            ::closedir);
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir.get()))
        names.emplace_back(entry->d_name);
    return names;
}

bool exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

int removeFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

int renameFile(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

void syncFolder(const std::string& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace tts::tables::tableFiles
