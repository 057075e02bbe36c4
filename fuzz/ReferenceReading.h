#pragma once

#include <string>
#include <string_view>
#include <vector>

// Deliberately naive, byte-at-a-time statements of how SICE files are read, written straight from
// the rules the readers follow. The harnesses compare the real, faster readers with these.
namespace tts::fuzz::reference {

// Line-by-line reading: LF ends a line; every CR is dropped; Ctrl-Z inside a line cuts the rest of
// that physical line; Ctrl-Z where a line would start ends the file; NUL is an ordinary byte.
inline std::vector<std::string> readLineByLine(std::string_view bytes) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < bytes.size() && bytes[pos] != '\x1A') {
        std::string text;
        bool cut = false;
        while (pos < bytes.size() && bytes[pos] != '\n') {
            const char c = bytes[pos++];
            if (cut)
                continue;
            if (c == '\x1A')
                cut = true;
            else if (c != '\r')
                text += c;
        }
        if (pos < bytes.size())
            ++pos; // the LF
        lines.push_back(text);
    }
    return lines;
}

// Whole-file reading: NUL ends the text; CR LF, a lone LF and a lone CR each end a line; a line
// end at the very end adds no empty line; Ctrl-Z is an ordinary byte.
inline std::vector<std::string> readWhole(std::string_view bytes) {
    std::vector<std::string> lines;
    std::string current;
    bool pending = false; // bytes since the last line end
    for (size_t i = 0; i < bytes.size() && bytes[i] != '\0'; ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(current);
            current.clear();
            pending = false;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            current += c;
            pending = true;
        }
    }
    if (pending)
        lines.push_back(current);
    return lines;
}

// Columns first-last (1-based), cut at the line's end, bytes 0-32 trimmed at both ends.
inline std::string field(std::string_view line, int first, int last) {
    size_t begin = static_cast<size_t>(first - 1);
    size_t end = static_cast<size_t>(last);
    if (end > line.size())
        end = line.size();
    if (begin >= end)
        return {};
    auto removable = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (begin < end && removable(line[begin]))
        ++begin;
    while (end > begin && removable(line[end - 1]))
        --end;
    return std::string(line.substr(begin, end - begin));
}

enum class Kind { HeaderOrTrailer, HeaderName, Data };

inline Kind classify(std::string_view line, std::string_view readerName) {
    if (!line.empty() && (line[0] == '0' || line[0] == '9'))
        return Kind::HeaderOrTrailer;
    std::string name = field(line, 2, 51);
    for (char& c : name)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return name == readerName ? Kind::HeaderName : Kind::Data;
}

} // namespace tts::fuzz::reference
