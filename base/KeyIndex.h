#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tts {

// Byte strings to numbers, keeping the number first given for a key: "the first line with this
// code", "the first row with this value". An open-addressing table over one buffer that holds
// every key, so that once both have grown, adding or finding a key allocates nothing and costs
// one hash and mostly one compare, where a node-based hash allocates per key and chases a
// pointer per probe. Keys compare as bytes, or with letter case ignored (base/CaseTable.h).
class KeyIndex {
public:
    enum class LetterCase { Exact, Ignored };

    explicit KeyIndex(LetterCase letterCase = LetterCase::Exact) : letterCase_(letterCase) {}

    // The number of `key` when an equal key was added before (false); else `key` is added with
    // `value` (true).
    std::pair<size_t, bool> add(std::string_view key, size_t value);
    // The number of `key`, or nullptr; valid until the next add.
    const size_t* find(std::string_view key) const;

    size_t size() const { return entries_.size(); }
    // The keys as given, in the order added.
    std::string_view key(size_t i) const {
        return std::string_view(keys_).substr(entries_[i].keyAt, entries_[i].keyLength);
    }
    void reserve(size_t keys);

private:
    struct Entry {
        uint32_t keyAt; // in keys_
        uint32_t keyLength;
        size_t value;
    };
    // Eight bytes, so that a probe touches one cache line: the hash, to skip most keys unread,
    // and the entry, counted from 1 (0 is an empty slot).
    struct Slot {
        uint32_t hash = 0;
        uint32_t entry = 0;
    };

    uint32_t hashOf(std::string_view key) const;
    bool equal(const Entry& entry, std::string_view key) const;
    // The slot holding `key`, or the empty one where it would go.
    size_t slotFor(std::string_view key, uint32_t hash) const;
    void grow();

    LetterCase letterCase_;
    std::vector<Slot> slots_;    // a power of two, at most half full
    std::vector<Entry> entries_; // in the order added
    std::string keys_;           // every key added, one after another, as given
};

} // namespace tts
