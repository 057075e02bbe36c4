#pragma once

#include "base/KeyIndex.h"
#include "base/Text.h"

#include <cstddef>
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
    static std::string keyOf(const std::vector<std::string>& values) {
        return keyOf(values.size(), [&](size_t i) -> const std::string& { return values[i]; });
    }

    // The same key, of `count` values that `valueAt(i)` gives one by one.
    template <class ValueAt> static std::string keyOf(size_t count, ValueAt&& valueAt) {
        if (count == 1) // one value is its own key
            return std::string(valueAt(size_t{0}));
        std::string key;
        for (size_t i = 0; i < count; ++i)
            appendKeyPart(key, valueAt(i));
        return key;
    }

private:
    KeyIndex keys_;                          // key to its list in rows_
    std::vector<std::vector<int64_t>> rows_; // each list ascending; empty once all are removed
};

} // namespace tts::tables
