#include "export/AnswerCache.h"

#include <utility>

namespace tts::exporting {

// FNV-1a: codes are a few bytes long, for which it is both quick and well spread.
uint64_t AnswerCache::hashOf(std::string_view code) {
    uint64_t hash = 14695981039346656037ull;
    for (char c : code) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash ^ (hash >> 29); // the low bits pick the slot: fold the well-mixed high ones in
}

size_t AnswerCache::slotFor(std::string_view code, uint64_t hash) const {
    const size_t mask = slots_.size() - 1;
    const auto tag = static_cast<uint32_t>(hash >> 32);
    size_t at = static_cast<size_t>(hash) & mask;
    for (; slots_[at].entry != 0; at = (at + 1) & mask)
        if (slots_[at].tag == tag && entries_[slots_[at].entry - 1].code == code)
            break;
    return at;
}

const std::optional<std::string>* AnswerCache::find(std::string_view code) const {
    const Slot& slot = slots_[slotFor(code, hashOf(code))];
    return slot.entry != 0 ? &entries_[slot.entry - 1].answer : nullptr;
}

const std::optional<std::string>& AnswerCache::add(std::string_view code,
                                                   std::optional<std::string> answer) {
    if (2 * (entries_.size() + 1) > slots_.size())
        grow();
    const uint64_t hash = hashOf(code);
    Slot& slot = slots_[slotFor(code, hash)];
    if (slot.entry == 0) {
        entries_.push_back({std::string(code), std::nullopt});
        slot = {static_cast<uint32_t>(hash >> 32), static_cast<uint32_t>(entries_.size())};
    }
    std::optional<std::string>& kept = entries_[slot.entry - 1].answer;
    kept = std::move(answer);
    return kept;
}

void AnswerCache::grow() {
    slots_.assign(slots_.size() * 2, Slot{});
    for (size_t i = 0; i < entries_.size(); ++i) {
        const uint64_t hash = hashOf(entries_[i].code);
        slots_[slotFor(entries_[i].code, hash)] = {static_cast<uint32_t>(hash >> 32),
                                                   static_cast<uint32_t>(i + 1)};
    }
}

} // namespace tts::exporting
