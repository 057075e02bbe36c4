#include "app/ProfileString.h"

#include "base/CaseTable.h"

#include "base/platform/ProfileFile.h"

#include <vector>

namespace tts::app {

namespace {

struct Line {
    std::string_view content;
    std::string_view ending; // "\r\n", "\n" or, for a last line without one, ""
};

std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t newline = text.find('\n', start);
        if (newline == std::string_view::npos) {
            lines.push_back({text.substr(start), {}});
            break;
        }
        size_t end = newline;
        if (end > start && text[end - 1] == '\r')
            --end;
        lines.push_back({text.substr(start, end - start), text.substr(end, newline + 1 - end)});
        start = newline + 1;
    }
    return lines;
}

std::string_view trimmed(std::string_view text) {
    const char* blanks = " \t\r";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) + 1 - first);
}

// The name of a section header line ("[name]"), or false when the line is none.
bool sectionName(std::string_view content, std::string_view& name) {
    std::string_view line = trimmed(content);
    if (line.empty() || line.front() != '[')
        return false;
    size_t close = line.find(']');
    if (close == std::string_view::npos)
        return false;
    name = trimmed(line.substr(1, close - 1));
    return true;
}

} // namespace

std::string withProfileString(std::string_view text, std::string_view section, std::string_view key,
                              std::string_view value) {
    const std::string_view eol = text.find("\r\n") != std::string_view::npos ? "\r\n"
                                 : text.find('\n') != std::string_view::npos ? "\n"
                                                                             : "\r\n";
    const std::vector<Line> lines = splitLines(text);

    size_t header = lines.size();
    for (size_t i = 0; i < lines.size() && header == lines.size(); ++i) {
        std::string_view name;
        if (sectionName(lines[i].content, name) && equalsIgnoringCase(name, section))
            header = i;
    }

    std::string out;
    out.reserve(text.size() + section.size() + key.size() + value.size() + 8);
    auto entry = [&](std::string_view keyText) { out.append(keyText).append("=").append(value); };

    if (header == lines.size()) {
        out.append(text);
        if (!text.empty() && text.back() != '\n')
            out.append(eol);
        out.append("[").append(section).append("]").append(eol);
        entry(key);
        out.append(eol);
        return out;
    }

    // The section runs to the next header line; its entry is the first line with our key.
    size_t end = header + 1;
    size_t lastFilled = header;
    size_t found = lines.size();
    for (; end < lines.size(); ++end) {
        std::string_view name;
        if (sectionName(lines[end].content, name))
            break;
        if (!trimmed(lines[end].content).empty())
            lastFilled = end;
        size_t equals = lines[end].content.find('=');
        if (found == lines.size() && equals != std::string_view::npos &&
            equalsIgnoringCase(trimmed(lines[end].content.substr(0, equals)), key))
            found = end;
    }

    for (size_t i = 0; i < lines.size(); ++i) {
        if (i == found) {
            const std::string_view content = lines[i].content;
            entry(trimmed(content.substr(0, content.find('='))));
            out.append(lines[i].ending);
            continue;
        }
        out.append(lines[i].content).append(lines[i].ending);
        if (found == lines.size() && i == lastFilled) {
            if (lines[i].ending.empty())
                out.append(eol);
            entry(key);
            out.append(eol);
        }
    }
    return out;
}

platform::SystemError writeProfileString(const std::string& path, std::string_view section,
                                         std::string_view key, std::string_view value) {
    return platform::writeProfileString(path, section, key, value, withProfileString);
}

} // namespace tts::app
