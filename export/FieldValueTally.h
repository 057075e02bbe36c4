#pragma once

#include "export/TimetableExport.h"
#include "export/TimetableLines.h"

#include <string>
#include <string_view>
#include <unordered_map>

namespace tts::exporting {

// Collects the values of each row's data line that `matches` picks (a value longer than its
// field, one holding a control byte), each distinct value of a field once, with its rows.
class FieldValueTally {
public:
    using Match = bool (*)(std::string_view value, const DataField& field);
    FieldValueTally(FieldValues& target, Match matches) : target_(target), matches_(matches) {}
    void add(const DataValues& values, int64_t row);

private:
    FieldValues& target_;
    Match matches_;
    std::unordered_map<std::string, size_t> seen_; // field and value -> index in target_.values
    std::string key_;                              // kept from call to call
};

// A value longer than its field: written whole, it moves the rest of the line to the right, and
// SICE then reads that line wrong.
inline bool longerThanField(std::string_view value, const DataField& field) {
    return value.size() > field.width;
}

} // namespace tts::exporting
