#pragma once

#include "base/KeyIndex.h"
#include "export/TimetableExport.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tts::exporting {

// Counts the rows whose code a lookup did not find and keeps each such code once, in the order
// first seen: codes that differ between the two systems are what a user has to fix.
class FallbackTally {
public:
    explicit FallbackTally(Fallback& target) : target_(target) {}
    // A row of `code`, `row` from 1; what it returns counts a later row of the same code.
    size_t add(std::string_view code, int64_t row);
    void again(size_t code);

private:
    static constexpr size_t kEmpty = static_cast<size_t>(-1);
    Fallback& target_;
    KeyIndex seen_; // code to its index in target_.codes
};

} // namespace tts::exporting
