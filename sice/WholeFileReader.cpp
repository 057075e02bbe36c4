#include "sice/WholeFileReader.h"

#include "base/Error.h"
#include "base/platform/File.h"

#include <algorithm>

namespace tts::sice {

WholeFileLines::WholeFileLines(std::string_view bytes) : bytes_(bytes) {
    // Nothing after a NUL belongs to the text.
    if (size_t nul = bytes_.find('\0'); nul != std::string_view::npos)
        bytes_ = bytes_.substr(0, nul);
    nextCr_ = find('\r', 0);
    nextLf_ = find('\n', 0);
}

// memchr for each kind of line end, remembering where the next one of each lies, keeps this a
// fast scan rather than a test of every byte.
size_t WholeFileLines::find(char c, size_t from) const {
    const size_t at = bytes_.find(c, from);
    return at == std::string_view::npos ? bytes_.size() : at;
}

bool WholeFileLines::next(std::string_view& line) {
    const size_t n = bytes_.size();
    if (start_ >= n)
        return false;
    if (nextCr_ < start_)
        nextCr_ = find('\r', start_);
    if (nextLf_ < start_)
        nextLf_ = find('\n', start_);
    const size_t end = std::min(nextCr_, nextLf_);
    line = bytes_.substr(start_, end - start_);
    // CR LF is one line end; LF CR is two. A line end at the very end adds no empty line.
    if (end == n)
        start_ = n;
    else
        start_ = (end == nextCr_ && nextLf_ == end + 1) ? end + 2 : end + 1;
    return true;
}

WholeFile::WholeFile(const std::string& path) {
    load(path, bytes_);
}

void WholeFile::load(const std::string& path, std::string& bytes) {
    if (platform::SystemError error = platform::readWholeFile(path, bytes)) {
        throw Error("Cannot open file \"" + path + "\". " + platform::describe(error));
    }
}

} // namespace tts::sice
