#pragma once

#include "base/platform/AtomicReplace.h"

#include <string>
#include <string_view>

namespace tts::sice {

// Lines written one by one, in blocks, into the temporary file of the replacement; commit()
// puts the file in place of `path` in one step (base/platform/AtomicReplace.h): a file we may not
// write, or one that another program holds, stays as it was. Until then the old file stays as it
// was, and a writer dropped without commit leaves nothing. A file that cannot be created is
// reported by commit(), so whatever else stops the job first is what the user reads.
class LineFileWriter {
public:
    explicit LineFileWriter(std::string path);

    void add(std::string_view line); // followed by CR LF
    // Room for a line of `size` bytes, its CR LF already after it: the caller writes the line
    // there before adding anything else, so that it is built where it is written.
    char* addInPlace(size_t size) {
        if (used_ + size + 2 > block_.size())
            makeRoom(size + 2);
        char* at = block_.data() + used_;
        at[size] = '\r';
        at[size + 1] = '\n';
        used_ += size + 2;
        return at;
    }
    void commit(); // "Cannot create file "%s". %s"

    // The folder took no new file but the file could be written: it is rewritten where it
    // stands (platform::Replacement), and `why` is the folder's refusal.
    bool inPlace() const { return replacement_.inPlace(); }
    platform::SystemError whyInPlace() const { return replacement_.whyInPlace(); }

private:
    static constexpr size_t kBlock = 1 << 18;
    void flushBlock();
    void makeRoom(size_t size); // flushes, and grows the block for a longer line

    std::string path_;
    platform::Replacement replacement_;
    std::string block_; // sized once: lines are written into it, used_ bytes of it so far
    size_t used_ = 0;
};

} // namespace tts::sice
