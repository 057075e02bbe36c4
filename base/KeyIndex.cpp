#include "base/KeyIndex.h"

#include "base/CaseTable.h"

#include <stdexcept>

namespace tts {

// FNV-1a over the bytes (folded when case is ignored), then mixed so that the low bits, which
// pick the slot, depend on every byte.
uint32_t KeyIndex::hashOf(std::string_view key) const {
    uint64_t h = 14695981039346656037ull;
    if (letterCase_ == LetterCase::Exact)
        for (char c : key)
            h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    else
        for (char c : key)
            h = (h ^ foldCase(static_cast<unsigned char>(c))) * 1099511628211ull;
    h ^= h >> 29;
    h *= 0xbf58476d1ce4e5b9ull;
    h ^= h >> 32;
    return static_cast<uint32_t>(h);
}

bool KeyIndex::equal(const Entry& entry, std::string_view key) const {
    if (entry.keyLength != key.size())
        return false;
    const std::string_view stored(keys_.data() + entry.keyAt, entry.keyLength);
    return letterCase_ == LetterCase::Exact ? stored == key : equalsIgnoringCase(stored, key);
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
