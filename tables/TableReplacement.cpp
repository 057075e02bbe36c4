#include "tables/TableReplacement.h"

#include "base/ProcessLiveness.h"

#include "tables/TableErrors.h"
#include "tables/TableFiles.h"
#include "tables/TableLock.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <memory>
#include <string_view>
#include <vector>

namespace tts::tables {

namespace {

std::atomic<unsigned> temporarySequence{0};

bool startsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
        if (lower(static_cast<unsigned char>(text[i])) !=
            lower(static_cast<unsigned char>(prefix[i])))
            return false;
    }
    return true;
}

} // namespace

std::string TableReplacement::temporaryPrefix(const std::string& name) {
    return ".~" + name + ".DBF.tmp-";
}

void TableReplacement::removeStaleFiles(const std::string& folder, const std::string& name) {
    const std::string prefix = temporaryPrefix(name);
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir)
        return;
    std::vector<std::string> stale;
    while (const dirent* entry = ::readdir(dir.get())) {
        std::string_view fileName(entry->d_name);
        if (!startsWithIgnoringAsciiCase(fileName, prefix))
            continue;
        std::string_view rest = fileName.substr(prefix.size());
        pid_t pid = 0;
        auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
        if (error != std::errc{} || pid <= 0 || pid == ::getpid() || !processIsGone(pid))
            continue;
        stale.emplace_back(fileName);
    }
    for (const std::string& fileName : stale) {
        std::string path = tableFiles::joinPath(folder, fileName);
        // A process in another PID namespace may look gone and still hold its file.
        FileDescriptor file(::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW));
        if (file.valid() &&
            tryLockWholeFile(file.get(), LockKind::Write) != LockResult::HeldByOther)
            ::unlink(path.c_str());
    }
}

TableReplacement::TableReplacement(const std::string& folder, const std::string& name,
                                   const std::string& finalPath)
    : folder_(folder), name_(name), finalPath_(finalPath) {
    removeStaleFiles(folder, name);

    struct stat oldInfo {};
    bool oldExists = ::stat(finalPath.c_str(), &oldInfo) == 0;
    if (oldExists) {
        LockKind kind = LockKind::Write;
        old_ = FileDescriptor(::open(finalPath.c_str(), O_RDWR | O_CLOEXEC));
        if (!old_.valid() && (errno == EACCES || errno == EROFS)) {
            // Read-only to us; still keep others from opening it exclusively meanwhile.
            old_ = FileDescriptor(::open(finalPath.c_str(), O_RDONLY | O_CLOEXEC));
            kind = LockKind::Read;
        }
        if (old_.valid() && tryLockWholeFile(old_.get(), kind) == LockResult::HeldByOther)
            throw tableErrors::tableInUse(finalPath);
    }

    for (int attempt = 0; !temporary_.valid(); ++attempt) {
        temporaryPath_ =
            tableFiles::joinPath(folder, temporaryPrefix(name) + std::to_string(::getpid()) + "-" +
                                             std::to_string(temporarySequence++));
        temporary_ = FileDescriptor(
            ::open(temporaryPath_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (temporary_.valid())
            break;
        int error = errno;
        if (error == EEXIST && attempt < 100)
            continue;
        if (error == EACCES || error == EPERM || error == EROFS || error == ENOENT ||
            error == ENOTDIR)
            throw tableErrors::invalidFolder(folder);
        throw tableErrors::cannotCreate(finalPath, error);
    }
    if (oldExists)
        ::fchmod(temporary_.get(), oldInfo.st_mode & 07777);
    tryLockWholeFile(temporary_.get(), LockKind::Write);
}

TableReplacement::~TableReplacement() {
    if (!done_)
        discard();
}

void TableReplacement::commit() {
    if (done_)
        return;
    if (::fsync(temporary_.get()) != 0)
        throw tableErrors::cannotWrite(finalPath_, errno);
    if (::rename(temporaryPath_.c_str(), finalPath_.c_str()) != 0)
        throw tableErrors::cannotWrite(finalPath_, errno);
    done_ = true;
    tableFiles::removeIfPresent(folder_, name_ + ".MDX");
    tableFiles::syncFolder(folder_);
    temporary_.reset();
    old_.reset();
}

void TableReplacement::discard() {
    if (done_)
        return;
    done_ = true;
    ::unlink(temporaryPath_.c_str());
    temporary_.reset();
    old_.reset();
}

} // namespace tts::tables
