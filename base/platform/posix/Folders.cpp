#include "base/platform/Folders.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

namespace tts::platform {

PathKind pathKind(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0)
        return PathKind::Missing;
    if (S_ISREG(info.st_mode))
        return PathKind::File;
    if (S_ISDIR(info.st_mode))
        return PathKind::Folder;
    return PathKind::Other;
}

SystemError pathError(const std::string& path) {
    struct stat info {};
    if (path.empty())
        return ENOENT;
    return ::stat(path.c_str(), &info) == 0 ? 0 : errno;
}

bool isLink(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

char pathSeparator() {
    return '/';
}

bool isAbsolutePath(const std::string& path) {
    return !path.empty() && path[0] == '/';
}

std::string currentFolder() {
    std::string buffer(4096, '\0');
    for (;;) {
        if (::getcwd(buffer.data(), buffer.size()) != nullptr)
            return buffer.c_str();
        if (errno != ERANGE)
            return {};
        buffer.resize(buffer.size() * 2);
    }
}

std::string absolutePath(const std::string& path) {
    std::string whole = path;
    if (!isAbsolutePath(path)) {
        const std::string working = currentFolder();
        if (working.empty())
            return {};
        whole = joinPath(working, path);
    }
    std::vector<std::string> names;
    size_t start = 1;
    while (start <= whole.size()) {
        const size_t end = std::min(whole.find('/', start), whole.size());
        const std::string name = whole.substr(start, end - start);
        if (name == "..") {
            if (!names.empty())
                names.pop_back();
        } else if (!name.empty() && name != ".") {
            names.push_back(name);
        }
        start = end + 1;
    }
    std::string clean;
    for (const std::string& name : names)
        clean += "/" + name;
    return clean.empty() ? "/" : clean;
}

PathSteps stepsOf(const std::string& absolute) {
    PathSteps steps{"/", {}};
    size_t start = 1;
    while (start < absolute.size()) {
        const size_t end = std::min(absolute.find('/', start), absolute.size());
        if (end > start)
            steps.names.push_back(absolute.substr(start, end - start));
        start = end + 1;
    }
    return steps;
}

SystemError setCurrentFolder(const std::string& folder) {
    return ::chdir(folder.c_str()) == 0 ? 0 : errno;
}

SystemError listFolder(const std::string& folder, std::vector<std::string>& names) {
    names.clear();
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir)
        return errno;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir.get());
        if (!entry)
            return errno;
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
}

SystemError folderListingError(const std::string& folder) {
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir)
        return errno;
    errno = 0;
    return ::readdir(dir.get()) ? 0 : errno;
}

SystemError removeFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

void flushFolder(const std::string& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::fsync(fd);
    ::close(fd);
}

} // namespace tts::platform
