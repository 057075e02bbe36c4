#pragma once

#include "sice/WholeFileReader.h"

#include <string>
#include <string_view>
#include <vector>

// The lines of a SICE file read whole, copied, for tests and fuzzing to compare with what they
// expect (the jobs walk the lines in place, sice/WholeFileReader.h).
namespace tts::test {

inline std::vector<std::string> splitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    sice::WholeFileLines each(bytes);
    for (std::string_view line; each.next(line);)
        lines.emplace_back(line);
    return lines;
}

// Read as the jobs read it: a file that cannot be read raises as theirs do.
inline std::vector<std::string> readLines(const std::string& path) {
    std::string bytes;
    sice::WholeFile::load(path, bytes);
    return splitLines(bytes);
}

} // namespace tts::test
