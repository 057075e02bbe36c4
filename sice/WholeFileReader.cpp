#include "sice/WholeFileReader.h"

#include "base/Error.h"
#include "base/platform/File.h"

#include <algorithm>

namespace tts::sice {

std::vector<std::string> readWholeFile(const std::string& path) {
    std::string bytes;
    if (platform::SystemError error = platform::readWholeFile(path, bytes))
        throw Error("Cannot open file \"" + path + "\". " + platform::describe(error));
    return splitWholeFile(bytes);
}

std::vector<std::string> splitWholeFile(std::string_view bytes) {
    // Nothing after a NUL belongs to the text.
    if (size_t nul = bytes.find('\0'); nul != std::string_view::npos)
        bytes = bytes.substr(0, nul);

    // memchr for each kind of line end, remembering where the next one of each lies, keeps this
    // a fast scan rather than a test of every byte.
    const size_t n = bytes.size();
    auto nextOf = [&](char c, size_t from) {
        size_t at = bytes.find(c, from);
        return at == std::string_view::npos ? n : at;
    };
    std::vector<std::string> lines;
    size_t start = 0;
    size_t nextCr = nextOf('\r', 0);
    size_t nextLf = nextOf('\n', 0);
    while (start < n) {
        if (nextCr < start)
            nextCr = nextOf('\r', start);
        if (nextLf < start)
            nextLf = nextOf('\n', start);
        const size_t end = std::min(nextCr, nextLf);
        lines.emplace_back(bytes.substr(start, end - start));
        if (end == n)
            break;
        // CR LF is one line end; LF CR is two.
        start = (end == nextCr && nextLf == end + 1) ? end + 2 : end + 1;
    }
    return lines;
}

} // namespace tts::sice
