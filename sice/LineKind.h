#pragma once

// Which lines of a SICE file hold data, and which are its header, name or trailer.

#include <string_view>

namespace tts::sice {

enum class LineKind { HeaderOrTrailer, HeaderName, Data };

// "0" or "9" in column 1: header or trailer. Columns 2-51 trimmed and a-z upper-cased equal to
// `readerName` (the file's name in capitals): header-name line. Anything else: data line.
LineKind classifyLine(std::string_view line, std::string_view readerName);

inline bool isDataLine(std::string_view line, std::string_view readerName) {
    return classifyLine(line, readerName) == LineKind::Data;
}

} // namespace tts::sice
