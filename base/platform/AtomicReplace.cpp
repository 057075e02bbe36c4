#include "base/platform/AtomicReplace.h"

#include "base/platform/FaultInjection.h"
#include "base/platform/Folders.h"
#include "base/platform/Interrupts.h"
#include "base/platform/ReplaceSteps.h"
#include "base/platform/TemporaryFiles.h"

#include <algorithm>

namespace tts::platform {

namespace {

// Large enough that a normal file goes in a few calls, small enough that a full disk shows up
// part-way rather than only at the end.
constexpr std::size_t kChunk = 1 << 16;

// Writes `bytes` at `offset` in parts, so that a full disk shows up part-way.
SystemError writeContent(File& file, std::uint64_t offset, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        std::size_t size = std::min(kChunk, bytes.size() - done);
        SystemError error = 0;
#ifdef TTS_FAULT_INJECTION
        if (const WriteBytes& writer = injectedWriter())
            size = std::min(size, writer(bytes.data() + done, size, error));
#endif
        if (size > 0)
            if (const SystemError failed = file.writeAt(offset + done, bytes.data() + done, size))
                return failed;
        if (error)
            return error;
        if (size == 0)
            return diskFull();
        done += size;
    }
    return 0;
}

// Room on the disk for `size` bytes in a file of `oldSize` bytes. A file system that cannot set
// room aside gets zeros after the old content instead, cut away again by the caller.
SystemError reserveRoom(File& file, std::uint64_t oldSize, std::uint64_t size) {
    if (size <= oldSize)
        return 0;
    bool reserved = false;
    if (const SystemError error = file.reserve(size, reserved); error || reserved)
        return error;
    const std::string zeros(kChunk, '\0');
    for (std::uint64_t at = oldSize; at < size; at += zeros.size())
        if (const SystemError error = file.writeAt(
                at, zeros.data(),
                static_cast<std::size_t>(std::min<std::uint64_t>(zeros.size(), size - at))))
            return error;
    return 0;
}

// The folder may not take a new file, but the file itself may be written: Windows would let
// us, so we rewrite it where it is. Without a second file nothing on the disk holds the old
// content while the new one goes over it, so: the room for the new content is taken first (a
// full disk stops us before the first old byte changes), nothing from outside interrupts the
// writing, and a write that fails part-way puts the old content back from memory, into room it
// already had. Only a power cut or a SIGKILL in those moments can leave a mix.
SystemError rewriteInPlace(const std::string& path, std::string_view bytes) {
    SystemError error = 0;
    File file = File::open(path, Access::ReadWrite, Share::None, Disposition::OpenExisting, error);
    if (error)
        return error;
    std::string old;
    if ((error = readAll(file, old)) != 0)
        return error;
    const DeferredInterrupts wait;
    if ((error = reserveRoom(file, old.size(), bytes.size())) != 0) {
        file.truncate(old.size());
        return error;
    }
    if ((error = writeContent(file, 0, bytes)) == 0 && (error = file.truncate(bytes.size())) == 0)
        error = file.flush();
    if (error) {
        file.writeAt(0, old.data(), old.size());
        file.truncate(old.size());
        file.flush();
        return error;
    }
    return file.close();
}

} // namespace

Replacement::Replacement(std::string path, ReplacementOptions options)
    : path_(std::move(path)), options_(options) {
    const PathKind kind = pathKind(path_);
    if (kind == PathKind::Folder || kind == PathKind::Other) {
        error_ = kNotRegularFile;
        return;
    }
    exists_ = kind == PathKind::File;
    if (exists_) {
        if (options_.holdTarget)
            holdTarget();
        else
            error_ = checkReplaceable(path_);
        if (error_)
            return;
    }
    removeStaleTemporaries(folderOf(path_), nameOf(path_));

    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath_ = joinPath(folderOf(path_), temporaryName(nameOf(path_)));
        error_ = 0;
        temporary_ = File::open(temporaryPath_, Access::ReadWrite, Share::None,
                                Disposition::CreateNew, error_);
        if (!isAlreadyExists(error_))
            break;
    }
    if (error_) {
        temporaryPath_.clear();
        held_.close();
        if (options_.inPlace && exists_ && isAccessDenied(error_)) {
            inPlace_ = true;
            whyInPlace_ = error_;
            error_ = 0;
        } else {
            folderRefused_ = true;
        }
        return;
    }
    if (exists_ && options_.holdTarget) {
        // Held, so nobody else has it; but a rename would replace a file the user protected,
        // which Windows keeps, and so do we. The folder's refusal, above, is the one said first.
        if (const SystemError denied = checkWritable(path_)) {
            discard();
            error_ = denied;
            return;
        }
    }
    if (exists_)
        keepPermissions(temporary_, path_);
}

void Replacement::holdTarget() {
    held_ = File::open(path_, Access::ReadWrite, Share::None, Disposition::OpenExisting, error_);
    // Read-only to us: others are still kept from having it alone meanwhile.
    if (!held_.isOpen() && isAccessDenied(error_))
        held_ =
            File::open(path_, Access::Read, Share::ReadWrite, Disposition::OpenExisting, error_);
    // Only another holder stops us here; what else went wrong shows when it is replaced.
    if (!isSharingViolation(error_))
        error_ = 0;
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
    error_ = writeContent(temporary_, written_, bytes);
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
        return error_ = rewriteInPlace(path_, gathered_);
    }
    error_ = temporary_.flush();
    const SystemError closed = temporary_.close();
    if (!error_)
        error_ = closed;
    held_.close();
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
    if (whenReplaced_)
        whenReplaced_();
    flushFolder(folderOf(path_));
    return 0;
}

void Replacement::discard() {
    if (done_)
        return;
    done_ = true;
    held_.close();
    if (temporaryPath_.empty())
        return;
    temporary_.close(); // Windows deletes no open file
    removeFile(temporaryPath_);
}

SystemError replaceFileContents(const std::string& path, std::string_view bytes) {
    Replacement replacement(path);
    replacement.write(bytes);
    return replacement.commit();
}

} // namespace tts::platform
