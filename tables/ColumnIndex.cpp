#include "tables/ColumnIndex.h"

#include "base/Text.h"

#include <algorithm>

namespace tts::tables {

void ColumnIndex::add(const std::string& key, int64_t row) {
    std::vector<int64_t>& rows = rows_[key];
    if (rows.empty() || rows.back() < row) { // appends come in order: the usual case
        rows.push_back(row);
        return;
    }
    auto at = std::lower_bound(rows.begin(), rows.end(), row);
    if (at == rows.end() || *at != row)
        rows.insert(at, row);
}

void ColumnIndex::remove(const std::string& key, int64_t row) {
    auto found = rows_.find(key);
    if (found == rows_.end())
        return;
    std::vector<int64_t>& rows = found->second;
    auto at = std::lower_bound(rows.begin(), rows.end(), row);
    if (at != rows.end() && *at == row)
        rows.erase(at);
    if (rows.empty())
        rows_.erase(found);
}

int64_t ColumnIndex::firstRow(const std::string& key) const {
    auto found = rows_.find(key);
    return found == rows_.end() ? -1 : found->second.front();
}

std::string ColumnIndex::keyOf(const std::vector<std::string>& values) {
    if (values.size() == 1)
        return values.front();
    std::string key;
    for (const std::string& value : values)
        appendKeyPart(key, value);
    return key;
}

} // namespace tts::tables
