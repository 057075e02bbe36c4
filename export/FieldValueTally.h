#pragma once

#include "base/KeyIndex.h"
#include "export/TimetableExport.h"
#include "export/TimetableLines.h"

#include <string>

namespace tts::exporting {

// Collects the values of each row's data line that are longer than their field, each distinct
// value of a field once, with its rows: written whole, such a value moves the rest of the line to
// the right, and SICE then reads that line wrong.
class FieldValueTally {
public:
    explicit FieldValueTally(FieldValues& target) : target_(target) {}
    void add(const DataValues& values, int64_t row);

private:
    FieldValues& target_;
    KeyIndex seen_;   // field and value -> index in target_.values
    std::string key_; // kept from call to call
};

} // namespace tts::exporting
