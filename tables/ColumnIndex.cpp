#include "tables/ColumnIndex.h"

#include "base/Text.h"

#include <algorithm>

namespace tts::tables {

void ColumnIndex::add(std::string_view key, int64_t row) {
    const auto [at, added] = keys_.add(key, rows_.size());
    if (added)
        rows_.emplace_back();
    std::vector<int64_t>& rows = rows_[at];
    if (rows.empty() || rows.back() < row) { // appends come in order: the usual case
        rows.push_back(row);
        return;
    }
    auto place = std::lower_bound(rows.begin(), rows.end(), row);
    if (place == rows.end() || *place != row)
        rows.insert(place, row);
}

void ColumnIndex::remove(std::string_view key, int64_t row) {
    const size_t* at = keys_.find(key);
    if (!at)
        return;
    std::vector<int64_t>& rows = rows_[*at];
    auto place = std::lower_bound(rows.begin(), rows.end(), row);
    if (place != rows.end() && *place == row)
        rows.erase(place);
}

int64_t ColumnIndex::firstRow(std::string_view key) const {
    const size_t* at = keys_.find(key);
    return at == nullptr || rows_[*at].empty() ? -1 : rows_[*at].front();
}

} // namespace tts::tables
