#pragma once

#include <map>
#include <string>
#include <string_view>

namespace tts::import {

// The distinct start times of a sessions file, kept in order. Two texts are the same start time
// when they are equal ignoring letter case (Windows-1252 case table), and the order is that of
// their case-folded bytes: for four-digit times the order of the clock, while "800" comes after
// "0900". Adding and ranking are O(log n).
class StartTimeRanking {
public:
    void add(std::string_view startTime);

    // Once every start time is in: the slot number, 1 for the earliest; 0 when unknown.
    int slotNumber(std::string_view startTime);

    size_t size() const { return ranks_.size(); }

private:
    struct FoldedLess {
        using is_transparent = void; // looked up by view, without a copy
        bool operator()(std::string_view a, std::string_view b) const;
    };
    std::map<std::string, int, FoldedLess> ranks_;
    bool numbered_ = false;
};

} // namespace tts::import
