#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace tts::tables {

// The rows holding each key (the values of a set of columns), so that "first row in stored
// order with these values" is one hash lookup. Kept right by the table as rows are stored.
class ColumnIndex {
public:
    void add(const std::string& key, int64_t row);
    void remove(const std::string& key, int64_t row);
    int64_t firstRow(const std::string& key) const; // -1 when no row holds the key

    // One key for several values; no two different lists of values give the same key.
    static std::string keyOf(const std::vector<std::string>& values);

private:
    std::unordered_map<std::string, std::vector<int64_t>> rows_; // each list ascending
};

} // namespace tts::tables
