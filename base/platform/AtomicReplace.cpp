#include "base/platform/AtomicReplace.h"

#include "base/platform/Folders.h"
#include "base/platform/Process.h"
#include "base/platform/ReplaceSteps.h"

#include <algorithm>
#include <atomic>

namespace tts::platform {

namespace {

// Large enough that a normal file goes in a few calls, small enough that a full disk shows up
// part-way rather than only at the end.
constexpr std::size_t kChunk = 1 << 16;

std::atomic<unsigned> temporarySequence{0};

std::string nameOf(const std::string& path) {
    return path.substr(folderOf(path).size());
}

// Writes `bytes` at `offset` in parts, so that a full disk shows up part-way.
SystemError writeContent(File& file, std::uint64_t offset, std::string_view bytes,
                         const WriteBytes& writer) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t size = std::min(kChunk, bytes.size() - done);
        SystemError error = 0;
        std::size_t taken = size;
        if (writer)
            taken = writer(bytes.data() + done, size, error);
        else
            error = file.writeAt(offset + done, bytes.data() + done, size);
        if (error)
            return error;
        if (taken == 0)
            return diskFull();
        done += taken;
    }
    return 0;
}

// The folder may not take a new file, but the file itself may be written: Windows would let
// us, so we rewrite it where it is.
SystemError rewriteInPlace(const std::string& path, std::string_view bytes,
                           const WriteBytes& writer) {
    SystemError error = 0;
    File file = File::open(path, Access::ReadWrite, Share::None, Disposition::OpenExisting, error);
    if (error)
        return error;
    if ((error = writeContent(file, 0, bytes, writer)) == 0)
        error = file.truncate(bytes.size());
    if (!error)
        error = file.flush();
    const SystemError closed = file.close();
    return error ? error : closed;
}

} // namespace

std::string temporaryPrefix(const std::string& name) {
    return ".~" + name + ".tmp-";
}

void removeStaleTemporaries(const std::string& path) {
    const std::string folder = folderOf(path);
    const std::string prefix = temporaryPrefix(nameOf(path));
    std::vector<std::string> names;
    if (listFolder(folder.empty() ? "." : folder, names) != 0)
        return;
    for (const std::string& name : names)
        if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0)
            removeIfAbandoned(joinPath(folder, name), name.substr(prefix.size()));
}

Replacement::Replacement(std::string path, WriteBytes writer)
    : path_(std::move(path)), writer_(std::move(writer)) {
    const PathKind kind = pathKind(path_);
    if (kind == PathKind::Folder || kind == PathKind::Other) {
        error_ = kNotRegularFile;
        return;
    }
    exists_ = kind == PathKind::File;
    if (exists_ && (error_ = checkReplaceable(path_)) != 0)
        return;
    removeStaleTemporaries(path_);

    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath_ = joinPath(folderOf(path_), temporaryPrefix(nameOf(path_)) +
                                                       std::to_string(currentProcessId()) + "-" +
                                                       std::to_string(temporarySequence++));
        error_ = 0;
        temporary_ = File::open(temporaryPath_, Access::ReadWrite, Share::None,
                                Disposition::CreateNew, error_);
        if (!isAlreadyExists(error_))
            break;
    }
    if (error_) {
        temporaryPath_.clear();
        if (exists_ && isAccessDenied(error_)) {
            inPlace_ = true;
            error_ = 0;
        }
        return;
    }
    if (exists_)
        keepPermissions(temporary_, path_);
}

Replacement::~Replacement() {
    if (!done_)
        discard();
}

void Replacement::write(std::string_view bytes) {
    if (error_ || done_)
        return;
    if (inPlace_) {
        gathered_.append(bytes);
        return;
    }
    error_ = writeContent(temporary_, written_, bytes, writer_);
    written_ += bytes.size();
}

SystemError Replacement::commit() {
    if (done_)
        return error_;
    if (error_) {
        discard();
        return error_;
    }
    if (inPlace_) {
        done_ = true;
        return error_ = rewriteInPlace(path_, gathered_, writer_);
    }
    error_ = temporary_.flush();
    const SystemError closed = temporary_.close();
    if (!error_)
        error_ = closed;
    // Made read-only or taken by another program while we wrote: it stays as it is now.
    if (!error_ && exists_ && pathKind(path_) == PathKind::File)
        error_ = checkReplaceable(path_);
    // Both files closed: Windows renames nothing over an open file.
    if (!error_)
        error_ = moveOver(temporaryPath_, path_);
    if (error_) {
        discard();
        return error_;
    }
    done_ = true;
    flushFolder(folderOf(path_));
    return 0;
}

void Replacement::discard() {
    done_ = true;
    if (temporaryPath_.empty())
        return;
    temporary_.close(); // Windows deletes no open file
    removeFile(temporaryPath_);
}

SystemError replaceFileContents(const std::string& path, std::string_view bytes,
                                const WriteBytes& writer) {
    Replacement replacement(path, writer);
    replacement.write(bytes);
    return replacement.commit();
}

} // namespace tts::platform
