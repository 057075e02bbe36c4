#pragma once

#include "base/KeyIndex.h"

#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace tts::exporting {

// What one lookup table answered for each code already asked, by the code's exact bytes: a
// timetable asks for the same few thousand codes millions of times. An answer stays where it is
// for the cache's life, so a caller may keep pointing at it.
class AnswerCache {
public:
    // The answer kept for `code`; null when it was never asked.
    const std::optional<std::string>* find(std::string_view code) const;
    // The first answer given for `code` is the one kept.
    const std::optional<std::string>& add(std::string_view code, std::optional<std::string> answer);

private:
    KeyIndex codes_;                                 // code to its place in answers_
    std::deque<std::optional<std::string>> answers_; // stays put as it grows
};

} // namespace tts::exporting
