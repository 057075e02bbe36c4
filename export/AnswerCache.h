#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tts::exporting {

// What one lookup table answered for each code already asked, by the code's exact bytes. A
// timetable asks for the same few thousand codes millions of times, so this is an
// open-addressing hash over an array of small slots (part of the hash and where the entry is):
// the array stays in the cache, and a repeat costs one short hash and, mostly, one comparison.
// An answer stays where it is for the cache's life, so a caller may keep pointing at it.
class AnswerCache {
public:
    // The answer kept for `code`; null when it was never asked.
    const std::optional<std::string>* find(std::string_view code) const;
    const std::optional<std::string>& add(std::string_view code, std::optional<std::string> answer);

private:
    struct Entry {
        std::string code;
        std::optional<std::string> answer;
    };
    struct Slot {
        uint32_t tag = 0;   // the high half of the code's hash
        uint32_t entry = 0; // 1 + the entry's index; 0 for a free slot
    };
    static uint64_t hashOf(std::string_view code);
    // The code's slot, or the free one it would take.
    size_t slotFor(std::string_view code, uint64_t hash) const;
    void grow();

    std::vector<Slot> slots_ = std::vector<Slot>(64); // a power of two, at most half full
    std::deque<Entry> entries_;                       // stays put as it grows
};

} // namespace tts::exporting
