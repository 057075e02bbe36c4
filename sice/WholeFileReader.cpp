#include "sice/WholeFileReader.h"

#include "base/Error.h"
#include "sice/FileBytes.h"

#include <cstring>

namespace tts::sice {

std::vector<std::string> readWholeFile(const std::string& path) {
    std::string bytes;
    if (int failure = readFileBytes(path, bytes))
        throw Error("Cannot open file \"" + path + "\". " + std::strerror(failure));
    return splitWholeFile(bytes);
}

std::vector<std::string> splitWholeFile(std::string_view bytes) {
    // Nothing after a NUL belongs to the text.
    if (size_t nul = bytes.find('\0'); nul != std::string_view::npos)
        bytes = bytes.substr(0, nul);

    std::vector<std::string> lines;
    size_t start = 0;
    size_t i = 0;
    const size_t n = bytes.size();
    while (i < n) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.emplace_back(bytes.substr(start, i - start));
        // CR LF is one line end; LF CR is two.
        i += (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    if (start < n)
        lines.emplace_back(bytes.substr(start));
    return lines;
}

} // namespace tts::sice
