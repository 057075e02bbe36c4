#pragma once

#include "base/KeyIndex.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace tts::exporting {

// The first `count` bytes at `bytes` (at most 8) as the low bytes of a word, the rest zero.
inline uint64_t wordOf(const char* bytes, size_t count = 8) {
    uint64_t word = 0;
    std::memcpy(&word, bytes, count);
    return word;
}

// A field's stored bytes as a key of up to 15 bytes: its bytes zero-padded to 16, its length
// plus one in the last, so that equal words mean equal keys and no key is the zeros of an empty
// slot.
struct PackedKey {
    uint64_t low = 0;
    uint64_t high = 0;
    bool operator==(const PackedKey&) const = default;

    static constexpr size_t kLongest = 15;
    static PackedKey of(std::string_view stored);
};

// How one field's key is read out of the rows of one table: `width` bytes at `offset`, straight
// out of the row as two masked words when sixteen bytes from the field's start lie within the
// row, as they do for all but its last few bytes.
class StoredKey {
public:
    StoredKey() = default;
    StoredKey(size_t offset, size_t width, size_t rowSize);

    // Whether the key of a row is a PackedKey read by `packed`, else the bytes of `stored`.
    bool packs() const { return direct_; }
    PackedKey packed(const char* row) const {
        return {wordOf(row + offset_) & lowMask_, (wordOf(row + offset_ + 8) & highMask_) | tag_};
    }
    std::string_view stored(std::string_view row) const { return row.substr(offset_, width_); }

private:
    size_t offset_ = 0;
    size_t width_ = 0;
    uint64_t lowMask_ = 0;
    uint64_t highMask_ = 0;
    uint64_t tag_ = 0;
    bool direct_ = false;
};

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
        return stored.size() > PackedKey::kLongest ? findLong(stored) : find(PackedKey::of(stored));
    }
    // The same for the field `key` reads out of `row`.
    const Answer* find(const StoredKey& key, std::string_view row) const {
        return key.packs() ? find(key.packed(row.data())) : find(key.stored(row));
    }
    const Answer& add(std::string_view stored, const Answer& answer) {
        if (stored.size() > PackedKey::kLongest) {
            const auto [at, added] = longKeys_.add(stored, longAnswers_.size());
            if (added)
                longAnswers_.push_back(answer);
            return longAnswers_[at];
        }
        if ((shortKeys_ + 1) * 2 > slots_.size())
            grow();
        const PackedKey key = PackedKey::of(stored);
        Slot& slot = slots_[slotFor(key)];
        if (slot.key.high == 0) {
            slot = Slot{key, answer};
            ++shortKeys_;
        }
        return slot.answer;
    }

private:
    const Answer* find(const PackedKey& key) const {
        const size_t mask = slots_.size() - 1;
        for (size_t at = slotOf(key);; at = (at + 1) & mask) {
            const Slot& slot = slots_[at];
            if (slot.key == key)
                return &slot.answer;
            if (slot.key.high == 0) // empty
                return nullptr;
        }
    }

    struct Slot {
        PackedKey key;
        Answer answer;
    };

    const Answer* findLong(std::string_view stored) const {
        const size_t* at = longKeys_.find(stored);
        return at ? &longAnswers_[*at] : nullptr;
    }

    // The first slot to look in: the top bits of the key's words, folded and multiplied, which
    // depend on every byte (codes often differ in their last characters only).
    size_t slotOf(const PackedKey& key) const {
        return static_cast<size_t>(((key.low ^ std::rotl(key.high, 29)) * 0x9E3779B97F4A7C15ull) >>
                                   shift_);
    }

    // The slot holding `key`, or the empty one where it would go.
    size_t slotFor(const PackedKey& key) const {
        const size_t mask = slots_.size() - 1;
        for (size_t at = slotOf(key);; at = (at + 1) & mask)
            if (slots_[at].key.high == 0 || slots_[at].key == key)
                return at;
    }

    void grow() {
        std::vector<Slot> old = std::move(slots_);
        slots_.assign(old.size() * 2, Slot{});
        --shift_;
        for (const Slot& slot : old)
            if (slot.key.high != 0)
                slots_[slotFor(slot.key)] = slot;
    }

    std::vector<Slot> slots_; // a power of two, at most half full
    int shift_ = 64 - 6;      // 64 less the bits that number slots_
    size_t shortKeys_ = 0;
    KeyIndex longKeys_; // keys wider than PackedKey::kLongest, to their place in longAnswers_
    std::vector<Answer> longAnswers_;
};

} // namespace tts::exporting
