#pragma once

#include "base/platform/File.h"
#include "base/platform/SystemError.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tts::platform {

// Gives the file at `path` the content `bytes`, so that a failure or a killed process leaves
// either the whole old file or the whole new one:
// - the file must be a plain file we may write: a read-only file is not replaced (the access
//   error), one held by another program neither (the sharing violation);
// - the bytes go to a temporary file in the same folder, held exclusively, flushed, closed, and
//   then put over the target in one step (rename; MoveFileExW on Windows, with both files
//   closed); the old file's permissions go with it on POSIX;
// - when the folder may not be written but the file may, the file is rewritten in place, as
//   Windows would do it: room for the new content is taken before the first old byte changes,
//   the console's and the system's requests to stop wait until the file is whole, the old
//   content is put back when a write fails, and the file is flushed before commit() returns;
// - temporary files of the same target that no living writer holds go first.
SystemError replaceFileContents(const std::string& path, std::string_view bytes);

// What a replacement does beyond the plain case.
struct ReplacementOptions {
    // Others are kept from the old file until the new one takes its place: no writer at all,
    // and no reader either unless the file is read-only to us.
    bool holdTarget = false;
    // When the folder takes no new file but the file may be written, rewrite it in place (see
    // above); otherwise the folder's refusal is the error.
    bool inPlace = true;
};

// The same replacement with the content given in parts, so that a large file need not be held
// in memory: the temporary file is made at construction and filled by write(), or through
// file() by a caller that writes at offsets of its own (one or the other); commit() puts it in
// place of `path`. Dropped without commit, it leaves the old file and no temporary. An error is
// kept (later parts are ignored) and returned by commit(). When only the file may be written,
// the parts are gathered and written in place at commit(), so that a failure part-way never
// leaves the user's file half old and half new.
class Replacement {
public:
    explicit Replacement(std::string path, ReplacementOptions options = {});
    ~Replacement();
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;

    // The first error so far, and whether it was the folder refusing the temporary file.
    SystemError error() const { return error_; }
    bool folderRefused() const { return folderRefused_; }

    void write(std::string_view bytes);
    File& file() { return temporary_; }
    // Runs once the new content is in place, before the folder is flushed, so that what it
    // changes in the folder (an index of the old content removed) is flushed with it.
    void whenReplaced(std::function<void()> action) { whenReplaced_ = std::move(action); }
    SystemError commit();
    void discard(); // the old file stays as it was

    // Whether the file is (or was) rewritten where it stands, and the folder's refusal of a new
    // file that made it so.
    bool inPlace() const { return inPlace_; }
    SystemError whyInPlace() const { return whyInPlace_; }

private:
    void holdTarget();

    std::string path_;
    ReplacementOptions options_;
    SystemError error_ = 0;
    bool exists_ = false;
    bool folderRefused_ = false;
    bool inPlace_ = false;
    SystemError whyInPlace_ = 0;
    bool done_ = false;
    File held_; // the old file, with holdTarget
    File temporary_;
    std::string temporaryPath_;
    std::uint64_t written_ = 0;
    std::string gathered_; // only when rewriting in place
    std::function<void()> whenReplaced_;
};

} // namespace tts::platform
