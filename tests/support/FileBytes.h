#pragma once

#include "base/Windows1252.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tts::test {

// Whether every byte of `text` belongs to a well-formed UTF-8 sequence.
inline bool isValidUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const size_t length = utf8SequenceAt(text, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

// A path of the program's (UTF-8 on Windows, whatever bytes on Linux) as the standard library
// takes it: on Windows a narrow path would go through the ANSI code page, which lacks "Ł".
inline std::filesystem::path fsPath(const std::string& path) {
#ifdef _WIN32
    if (isValidUtf8(path))
        return std::filesystem::path(std::u8string(path.begin(), path.end()));
    return std::filesystem::path(path);
#else
    return std::filesystem::path(path);
#endif
}

// A file the test cannot read or write is a fault of the test itself, never an empty file.
inline std::string readBytes(const std::string& path) {
    std::ifstream in(fsPath(path), std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(fsPath(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

// The lines as a SICE file holds them: CR LF after each one.
inline std::string crlfLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

inline void writeLines(const std::string& path, const std::vector<std::string>& lines) {
    writeBytes(path, crlfLines(lines));
}

} // namespace tts::test
