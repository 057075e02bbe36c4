#include "export/FieldValueTally.h"

#include "export/TimetableLines.h"

namespace tts::exporting {

bool FieldValueTally::tooLong(size_t field, std::string_view value) {
    return value.size() > kDataFields[field].width;
}

size_t FieldValueTally::add(size_t field, std::string_view value, int64_t row) {
    key_.assign(1, static_cast<char>(field));
    key_ += value;
    const auto [at, isNew] = seen_.add(key_, target_.values.size());
    if (isNew)
        target_.values.push_back({field, std::string(value), 0, row});
    ++target_.values[at].rows;
    return at;
}

} // namespace tts::exporting
