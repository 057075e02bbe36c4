#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tts::exporting {

// What one lookup table answered for each code already asked, by the code's exact bytes. A
// timetable asks for the same few hundred codes millions of times, so this is an open-addressing
// hash in one array: a repeat costs one short hash and, mostly, one comparison.
class AnswerCache {
public:
    // The answer kept for `code`; null when it was never asked.
    const std::optional<std::string>* find(std::string_view code) const;
    void add(std::string_view code, std::optional<std::string> answer);

private:
    struct Slot {
        bool used = false;
        std::string code;
        std::optional<std::string> answer;
    };
    static uint64_t hashOf(std::string_view code);
    size_t slotFor(std::string_view code) const; // the code's slot, or the free one it would take
    void grow();

    std::vector<Slot> slots_ = std::vector<Slot>(64); // a power of two, at most half full
    size_t used_ = 0;
};

} // namespace tts::exporting
