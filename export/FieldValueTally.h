#pragma once

#include "base/KeyIndex.h"
#include "export/TimetableExport.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tts::exporting {

// Collects the values of the data lines that are longer than their field, each distinct value of
// a field once, with its rows: written whole, such a value moves the rest of the line to the
// right, and SICE then reads that line wrong.
class FieldValueTally {
public:
    explicit FieldValueTally(FieldValues& target) : target_(target) {}
    // Whether `value` is longer than field `field` of kDataFields.
    static bool tooLong(size_t field, std::string_view value);
    // A line with at least one such value.
    void line() { ++target_.rows; }
    // Such a value of `field` in row `row`, from 1; what it returns counts a later row of the
    // same value.
    size_t add(size_t field, std::string_view value, int64_t row);
    void again(size_t value) { ++target_.values[value].rows; }

private:
    FieldValues& target_;
    KeyIndex seen_;   // field and value -> index in target_.values
    std::string key_; // kept from call to call
};

} // namespace tts::exporting
