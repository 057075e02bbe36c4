#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tts::app {

// A word-wrapped label's lines as the Windows window lays them out: words go on a line while
// the line, measured as the sum of each character's whole-pixel width, stays within `width`;
// the blanks where a line breaks are dropped; a word wider than a line stands alone on one.
// `advance` gives a character's width in whole pixels. The toolkits' own wrapping measures
// in fractions of a pixel, so a word may fit there that runs over the edge here.
std::vector<std::string> wrappedLines(const std::string& text, int width,
                                      const std::function<int(char)>& advance);

} // namespace tts::app
