#pragma once

#include "base/platform/AtomicReplace.h"

#include <string>
#include <string_view>

namespace tts::sice {

// Lines written one by one, in blocks, into the temporary file of the replacement; commit()
// puts the file in place of `path` as writeLines does. Until then the old file stays as it was,
// and a writer dropped without commit leaves nothing. A file that cannot be created is reported
// by commit(), so whatever else stops the job first is what the user reads.
class LineFileWriter {
public:
    explicit LineFileWriter(std::string path);

    void add(std::string_view line) { // followed by CR LF
        block_.append(line);
        block_.append("\r\n", 2);
        if (block_.size() >= kBlock)
            flushBlock();
    }
    // The same for a line that `build(std::string& block)` appends to the block, so that it is
    // built where it is written, without a copy.
    template <typename Build> void addBuilt(Build&& build) {
        build(block_);
        block_.append("\r\n", 2);
        if (block_.size() >= kBlock)
            flushBlock();
    }
    void commit(); // "Cannot create file "%s". %s"

    // The folder took no new file but the file could be written: it is rewritten where it
    // stands (platform::Replacement), and `why` is the folder's refusal.
    bool inPlace() const { return replacement_.inPlace(); }
    platform::SystemError whyInPlace() const { return replacement_.whyInPlace(); }

private:
    static constexpr size_t kBlock = 1 << 18;
    void flushBlock();

    std::string path_;
    platform::Replacement replacement_;
    std::string block_;
};

} // namespace tts::sice
