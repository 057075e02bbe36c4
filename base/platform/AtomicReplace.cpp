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

SystemError writeContent(File& file, std::string_view bytes, const WriteBytes& writer) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t size = std::min(kChunk, bytes.size() - done);
        SystemError error = 0;
        std::size_t taken = size;
        if (writer)
            taken = writer(bytes.data() + done, size, error);
        else
            error = file.writeAt(done, bytes.data() + done, size);
        if (error)
            return error;
        if (taken == 0)
            return diskFull();
        done += taken;
    }
    return file.truncate(bytes.size());
}

// The folder may not take a new file, but the file itself may be written: Windows would let
// us, so we rewrite it where it is.
SystemError rewriteInPlace(const std::string& path, std::string_view bytes,
                           const WriteBytes& writer) {
    SystemError error = 0;
    File file = File::open(path, Access::ReadWrite, Share::None, Disposition::OpenExisting, error);
    if (error)
        return error;
    if ((error = writeContent(file, bytes, writer)) == 0)
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

SystemError replaceFileContents(const std::string& path, std::string_view bytes,
                                const WriteBytes& writer) {
    const PathKind kind = pathKind(path);
    if (kind == PathKind::Folder || kind == PathKind::Other)
        return kNotRegularFile;
    const bool exists = kind == PathKind::File;
    if (exists) {
        if (SystemError error = checkReplaceable(path))
            return error;
    }
    removeStaleTemporaries(path);

    File temporary;
    std::string temporaryPath;
    SystemError error = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath = joinPath(folderOf(path), temporaryPrefix(nameOf(path)) +
                                                     std::to_string(currentProcessId()) + "-" +
                                                     std::to_string(temporarySequence++));
        temporary = File::open(temporaryPath, Access::ReadWrite, Share::None,
                               Disposition::CreateNew, error);
        if (!isAlreadyExists(error))
            break;
    }
    if (error) {
        if (exists && isAccessDenied(error))
            return rewriteInPlace(path, bytes, writer);
        return error;
    }
    if (exists)
        keepPermissions(temporary, path);

    error = writeContent(temporary, bytes, writer);
    if (!error)
        error = temporary.flush();
    const SystemError closed = temporary.close();
    if (!error)
        error = closed;
    // Both files closed: Windows renames nothing over an open file.
    if (!error)
        error = moveOver(temporaryPath, path);
    if (error) {
        removeFile(temporaryPath);
        return error;
    }
    flushFolder(folderOf(path));
    return 0;
}

} // namespace tts::platform
