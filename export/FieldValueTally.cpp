#include "export/FieldValueTally.h"

namespace tts::exporting {

void FieldValueTally::add(const DataValues& values, int64_t row) {
    bool counted = false;
    for (size_t field = 0; field < values.size(); ++field) {
        if (values[field].size() <= kDataFields[field].width)
            continue;
        if (!counted) {
            ++target_.rows;
            counted = true;
        }
        key_.assign(1, static_cast<char>(field));
        key_ += values[field];
        const auto [at, isNew] = seen_.add(key_, target_.values.size());
        if (isNew)
            target_.values.push_back({field, std::string(values[field]), 0, row});
        ++target_.values[at].rows;
    }
}

} // namespace tts::exporting
