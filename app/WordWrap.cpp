#include "app/WordWrap.h"

namespace tts::app {

std::vector<std::string> wrappedLines(const std::string& text, int width,
                                      const std::function<int(char)>& advance) {
    std::vector<std::string> lines;
    std::string line;
    int lineWidth = 0;
    size_t position = 0;
    while (position < text.size()) {
        const size_t wordStart = text.find_first_not_of(' ', position);
        const std::string blanks = text.substr(
            position, wordStart == std::string::npos ? std::string::npos : wordStart - position);
        if (wordStart == std::string::npos)
            break; // trailing blanks take no room
        size_t wordEnd = text.find(' ', wordStart);
        if (wordEnd == std::string::npos)
            wordEnd = text.size();
        const std::string word = text.substr(wordStart, wordEnd - wordStart);
        int wordWidth = 0;
        for (char c : word)
            wordWidth += advance(c);
        int blanksWidth = 0;
        for (char c : blanks)
            blanksWidth += advance(c);
        if (!line.empty() && lineWidth + blanksWidth + wordWidth > width) {
            lines.push_back(line);
            line = word;
            lineWidth = wordWidth;
        } else {
            if (!line.empty()) {
                line += blanks;
                lineWidth += blanksWidth;
            }
            line += word;
            lineWidth += wordWidth;
        }
        position = wordEnd;
    }
    if (!line.empty() || lines.empty())
        lines.push_back(line);
    return lines;
}

} // namespace tts::app
