#include "tables/TableReplacement.h"

#include "base/ProcessLiveness.h"

#include "tables/TableErrors.h"
#include "tables/TableFiles.h"

#include <atomic>
#include <cerrno>
#include <charconv>
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

bool deniedByFolder(int error) {
    return error == EACCES || error == EPERM || error == EROFS || error == ENOENT ||
           error == ENOTDIR;
}

} // namespace

std::string TableReplacement::temporaryPrefix(const std::string& name) {
    return ".~" + name + ".DBF.tmp-";
}

void TableReplacement::removeStaleFiles(const std::string& folder, const std::string& name) {
    const std::string prefix = temporaryPrefix(name);
    for (const std::string& fileName : tableFiles::entryNames(folder)) {
        if (!startsWithIgnoringAsciiCase(fileName, prefix))
            continue;
        std::string_view rest = std::string_view(fileName).substr(prefix.size());
        long pid = 0;
        auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
        if (error != std::errc{} || pid <= 0 || pid == currentProcessId() || !processIsGone(pid))
            continue;
        std::string path = tableFiles::joinPath(folder, fileName);
        // A process in another PID namespace may look gone and still hold its file.
        int openError = 0;
        TableFile file = TableFile::open(path, TableFile::Access::ReadWrite, openError);
        if (file.valid() && file.tryLock(LockKind::Write) != LockResult::HeldByOther)
            tableFiles::removeFile(path);
    }
}

TableReplacement::TableReplacement(const std::string& folder, const std::string& name,
                                   const std::string& finalPath)
    : folder_(folder), name_(name), finalPath_(finalPath) {
    removeStaleFiles(folder, name);

    bool oldExists = tableFiles::exists(finalPath);
    if (oldExists) {
        LockKind kind = LockKind::Write;
        int error = 0;
        old_ = TableFile::open(finalPath, TableFile::Access::ReadWrite, error);
        if (!old_.valid() && (error == EACCES || error == EROFS)) {
            // Read-only to us; still keep others from opening it exclusively meanwhile.
            old_ = TableFile::open(finalPath, TableFile::Access::ReadOnly, error);
            kind = LockKind::Read;
        }
        if (old_.valid() && old_.tryLock(kind) == LockResult::HeldByOther)
            throw tableErrors::tableInUse(finalPath);
    }

    for (int attempt = 0; !temporary_.valid(); ++attempt) {
        temporaryPath_ = tableFiles::joinPath(folder, temporaryPrefix(name) +
                                                          std::to_string(currentProcessId()) + "-" +
                                                          std::to_string(temporarySequence++));
        int error = 0;
        temporary_ = TableFile::createNew(temporaryPath_, oldExists ? finalPath : "", error);
        if (temporary_.valid())
            break;
        if (error == EEXIST && attempt < 100)
            continue;
        if (deniedByFolder(error))
            throw tableErrors::invalidFolder(folder);
        throw tableErrors::cannotCreate(finalPath, error);
    }
    temporary_.tryLock(LockKind::Write);
}

TableReplacement::~TableReplacement() {
    if (!done_)
        discard();
}

void TableReplacement::commit() {
    if (done_)
        return;
    if (int error = temporary_.sync())
        throw tableErrors::cannotWrite(finalPath_, error);
    if (int error = tableFiles::renameFile(temporaryPath_, finalPath_))
        throw tableErrors::cannotWrite(finalPath_, error);
    done_ = true;
    tableFiles::removeIfPresent(folder_, name_ + ".MDX");
    tableFiles::syncFolder(folder_);
    temporary_.close();
    old_.close();
}

void TableReplacement::discard() {
    if (done_)
        return;
    done_ = true;
    tableFiles::removeFile(temporaryPath_);
    temporary_.close();
    old_.close();
}

} // namespace tts::tables
