#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <utility>

namespace tts::test {

// A fixed-column line: each value starts at its 1-based column, blanks in between.
inline std::string columns(std::initializer_list<std::pair<int, std::string>> values) {
    std::string line;
    for (const auto& [column, value] : values) {
        if (line.size() < static_cast<size_t>(column - 1))
            line.resize(column - 1, ' ');
        line.replace(column - 1, value.size(), value);
    }
    return line;
}

} // namespace tts::test
