#pragma once

#include "base/KeyIndex.h"
#include "export/TimetableExport.h"

#include <string>

namespace tts::exporting {

// Counts the rows whose code a lookup did not find and keeps each such code once, in the order
// first seen: codes that differ between the two systems are what a user has to fix.
class FallbackTally {
public:
    explicit FallbackTally(Fallback& target) : target_(target) {}
    void add(const std::string& code, int64_t row);

private:
    Fallback& target_;
    KeyIndex seen_; // code to its index in target_.codes
};

} // namespace tts::exporting
