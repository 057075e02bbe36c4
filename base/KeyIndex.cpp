#include "base/KeyIndex.h"

#include "base/CaseTable.h"

#include <cstring>
#include <stdexcept>

namespace tts {

namespace {

constexpr uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;

uint64_t load64(const unsigned char* bytes) {
    uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

uint64_t load32(const unsigned char* bytes) {
    uint32_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

uint64_t mixed(uint64_t hash, uint64_t word) {
    hash = (hash ^ word) * kMultiplier;
    return hash ^ (hash >> 32);
}

// Eight bytes at a time, one multiply per word where a byte-wise hash takes one per byte; the
// last word is read in overlapping parts, which the length, hashed first, tells apart. Then
// mixed so that the low bits, which pick the slot, depend on every byte.
uint32_t hashBytes(const unsigned char* bytes, size_t count) {
    uint64_t h = (count + 1) * kMultiplier;
    for (; count > 8; bytes += 8, count -= 8)
        h = mixed(h, load64(bytes));
    uint64_t last = 0;
    if (count >= 4)
        last = load32(bytes) << 32 | load32(bytes + count - 4);
    else if (count > 0)
        last = uint64_t{bytes[0]} << 16 | uint64_t{bytes[count / 2]} << 8 | bytes[count - 1];
    h = mixed(h, last);
    h ^= h >> 29;
    h *= 0xbf58476d1ce4e5b9ull;
    h ^= h >> 32;
    return static_cast<uint32_t>(h);
}

} // namespace

// Folded first when case is ignored, so that keys that differ only in case hash alike.
uint32_t KeyIndex::hashOf(std::string_view key) const {
    const auto* bytes = reinterpret_cast<const unsigned char*>(key.data());
    if (letterCase_ == LetterCase::Exact)
        return hashBytes(bytes, key.size());
    unsigned char folded[64];
    if (key.size() > sizeof folded) {
        const std::string longer = foldCase(key);
        return hashBytes(reinterpret_cast<const unsigned char*>(longer.data()), longer.size());
    }
    for (size_t i = 0; i < key.size(); ++i)
        folded[i] = foldCase(bytes[i]);
    return hashBytes(folded, key.size());
}

bool KeyIndex::equal(const Entry& entry, std::string_view key) const {
    if (entry.keyLength != key.size())
        return false;
    const char* stored = keys_.data() + entry.keyAt;
    if (letterCase_ == LetterCase::Exact)
        return std::memcmp(stored, key.data(), key.size()) == 0;
    return equalsIgnoringCase(std::string_view(stored, entry.keyLength), key);
}

size_t KeyIndex::slotFor(std::string_view key, uint32_t hash) const {
    const size_t mask = slots_.size() - 1;
    for (size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.entry == 0 || (slot.hash == hash && equal(entries_[slot.entry - 1], key)))
            return at;
    }
}

const size_t* KeyIndex::find(std::string_view key) const {
    if (entries_.empty())
        return nullptr;
    const Slot& slot = slots_[slotFor(key, hashOf(key))];
    return slot.entry == 0 ? nullptr : &entries_[slot.entry - 1].value;
}

std::pair<size_t, bool> KeyIndex::add(std::string_view key, size_t value) {
    if (entries_.size() >= UINT32_MAX - 1 || keys_.size() + key.size() > UINT32_MAX)
        throw std::length_error("KeyIndex: too many keys");
    if ((entries_.size() + 1) * 2 > slots_.size())
        grow();
    const uint32_t hash = hashOf(key);
    Slot& slot = slots_[slotFor(key, hash)];
    if (slot.entry != 0)
        return {entries_[slot.entry - 1].value, false};
    entries_.push_back(
        Entry{static_cast<uint32_t>(keys_.size()), static_cast<uint32_t>(key.size()), value});
    keys_.append(key);
    slot.hash = hash;
    slot.entry = static_cast<uint32_t>(entries_.size());
    return {value, true};
}

void KeyIndex::reserve(size_t keys) {
    while (keys * 2 > slots_.size())
        grow();
    entries_.reserve(keys);
}

void KeyIndex::grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.empty() ? 64 : old.size() * 2, Slot{});
    const size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.entry == 0)
            continue;
        size_t at = slot.hash & mask;
        while (slots_[at].entry != 0)
            at = (at + 1) & mask;
        slots_[at] = slot;
    }
}

} // namespace tts
