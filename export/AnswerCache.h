#pragma once

#include "base/KeyIndex.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace tts::exporting {

// What a field of SOLUC gave, remembered by the bytes the field stores: a timetable repeats a
// few thousand values over a million rows, and a repeat then costs one hash, with nothing
// decoded, copied or looked up in a table. A field's text and what a lookup answers for it
// depend on those bytes alone while the tables are held, so the first answer kept for them
// stands. An answer stays valid until the next add.
//
// Every row asks for several fields, each a few bytes wide: a key of up to 15 bytes is held as
// two words beside its answer, so that a repeat costs a multiply, two compares of words and one
// place in memory; a wider key goes to a KeyIndex. Keep `Answer` small: the slots of every
// field a row reads should stay in the processor's cache together.
template <typename Answer> class AnswerCache {
public:
    AnswerCache() : slots_(64) {}

    // The answer kept for these stored bytes; null when they were never seen.
    const Answer* find(std::string_view stored) const {
        return stored.size() > kLongest ? findLong(stored) : findKey(packed(stored));
    }

    // The same for the field of `width` bytes at `offset` in `row`: read straight out of the row
    // as two words when sixteen bytes from the field's start lie within it, as they do for all
    // but the last few bytes of a row.
    const Answer* findIn(std::string_view row, size_t offset, size_t width) const {
        if constexpr (std::endian::native == std::endian::little) {
            if (width <= kLongest && offset + 16 <= row.size()) {
                const char* bytes = row.data() + offset;
                return findKey(
                    Key{load(bytes, 8) & kLowMask[width],
                        (load(bytes + 8, 8) & kHighMask[width]) | uint64_t{width + 1} << 56});
            }
        }
        return find(row.substr(offset, width));
    }

    const Answer& add(std::string_view stored, const Answer& answer) {
        if (stored.size() > kLongest) {
            const auto [at, added] = longKeys_.add(stored, longAnswers_.size());
            if (added)
                longAnswers_.push_back(answer);
            return longAnswers_[at];
        }
        if ((shortKeys_ + 1) * 2 > slots_.size())
            grow();
        const Key key = packed(stored);
        Slot& slot = slots_[slotFor(key)];
        if (slot.key.high == 0) {
            slot = Slot{key, answer};
            ++shortKeys_;
        }
        return slot.answer;
    }

private:
    static constexpr size_t kLongest = 15;

    // The key's bytes zero-padded to 16, its length plus one in the last: equal words, equal
    // keys, and never the zeros of an empty slot.
    struct Key {
        uint64_t low = 0;
        uint64_t high = 0;
        bool operator==(const Key&) const = default;
    };
    struct Slot {
        Key key;
        Answer answer;
    };

    // The bytes of a key of each width that two words read from its start keep.
    static constexpr auto kLowMask = [] {
        std::array<uint64_t, kLongest + 1> masks{};
        for (size_t width = 0; width <= kLongest; ++width)
            masks[width] = width >= 8 ? ~uint64_t{0} : (uint64_t{1} << (8 * width)) - 1;
        return masks;
    }();
    static constexpr auto kHighMask = [] {
        std::array<uint64_t, kLongest + 1> masks{};
        for (size_t width = 9; width <= kLongest; ++width)
            masks[width] = (uint64_t{1} << (8 * (width - 8))) - 1;
        return masks;
    }();

    const Answer* findKey(const Key& key) const {
        const size_t mask = slots_.size() - 1;
        for (size_t at = hashOf(key) & mask;; at = (at + 1) & mask) {
            const Slot& slot = slots_[at];
            if (slot.key == key)
                return &slot.answer;
            if (slot.key.high == 0) // empty
                return nullptr;
        }
    }

    const Answer* findLong(std::string_view stored) const {
        const size_t* at = longKeys_.find(stored);
        return at ? &longAnswers_[*at] : nullptr;
    }

    static uint64_t load(const char* bytes, size_t count) {
        uint64_t word = 0;
        std::memcpy(&word, bytes, count);
        return word;
    }

    // Whole words where the key has them; the rest read as overlapping words shifted clear of
    // the bytes already taken, so that no byte past the key is read.
    static Key packed(std::string_view stored) {
        const char* bytes = stored.data();
        const size_t size = stored.size();
        Key key;
        if constexpr (std::endian::native == std::endian::little) {
            if (size >= 8) {
                key.low = load(bytes, 8);
                if (size > 8)
                    key.high = load(bytes + size - 8, 8) >> (8 * (16 - size));
            } else if (size >= 4) {
                key.low = load(bytes, 4) | (load(bytes + size - 4, 4) >> (8 * (8 - size))) << 32;
            } else if (size > 0) {
                key.low = uint64_t{static_cast<unsigned char>(bytes[0])} |
                          uint64_t{static_cast<unsigned char>(bytes[size / 2])} << 8 * (size / 2) |
                          uint64_t{static_cast<unsigned char>(bytes[size - 1])} << 8 * (size - 1);
            }
        } else {
            unsigned char padded[16] = {};
            std::memcpy(padded, bytes, size);
            std::memcpy(&key.low, padded, 8);
            std::memcpy(&key.high, padded + 8, 8);
        }
        key.high |= uint64_t{size + 1} << 56;
        return key;
    }

    // Mixed so that the low bits, which pick the slot, depend on every byte: codes often differ
    // in their last characters only.
    static size_t hashOf(const Key& key) {
        uint64_t hash = (key.low ^ std::rotl(key.high, 29)) * 0x9E3779B97F4A7C15ull;
        hash ^= hash >> 32;
        hash *= 0xBF58476D1CE4E5B9ull;
        return static_cast<size_t>(hash ^ (hash >> 29));
    }

    // The slot holding `key`, or the empty one where it would go.
    size_t slotFor(const Key& key) const {
        const size_t mask = slots_.size() - 1;
        for (size_t at = hashOf(key) & mask;; at = (at + 1) & mask)
            if (slots_[at].key.high == 0 || slots_[at].key == key)
                return at;
    }

    void grow() {
        std::vector<Slot> old = std::move(slots_);
        slots_.assign(old.size() * 2, Slot{});
        for (const Slot& slot : old)
            if (slot.key.high != 0)
                slots_[slotFor(slot.key)] = slot;
    }

    std::vector<Slot> slots_; // a power of two, at most half full
    size_t shortKeys_ = 0;
    KeyIndex longKeys_; // keys wider than kLongest, to their place in longAnswers_
    std::vector<Answer> longAnswers_;
};

} // namespace tts::exporting
