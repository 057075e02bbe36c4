#pragma once

#include "base/KeyIndex.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tts::tables {

// The rows holding each key (the values of a set of columns), so that "first row in stored
// order with these values" is one hash lookup. Kept right by the table as rows are stored.
class ColumnIndex {
public:
    void add(std::string_view key, int64_t row);
    void remove(std::string_view key, int64_t row);
    int64_t firstRow(std::string_view key) const; // -1 when no row holds the key

    // One key for several values; no two different lists of values give the same key.
    static std::string keyOf(const std::vector<std::string>& values);

private:
    KeyIndex keys_;                          // key to its list in rows_
    std::vector<std::vector<int64_t>> rows_; // each list ascending; empty once all are removed
};

} // namespace tts::tables
