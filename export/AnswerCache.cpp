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

size_t AnswerCache::slotFor(std::string_view code) const {
    const size_t mask = slots_.size() - 1;
    size_t at = static_cast<size_t>(hashOf(code)) & mask;
    while (slots_[at].used && slots_[at].code != code)
        at = (at + 1) & mask;
    return at;
}

const std::optional<std::string>* AnswerCache::find(std::string_view code) const {
    const Slot& slot = slots_[slotFor(code)];
    return slot.used ? &slot.answer : nullptr;
}

void AnswerCache::add(std::string_view code, std::optional<std::string> answer) {
    if (2 * (used_ + 1) > slots_.size())
        grow();
    Slot& slot = slots_[slotFor(code)];
    if (!slot.used) {
        slot.used = true;
        slot.code.assign(code);
        ++used_;
    }
    slot.answer = std::move(answer);
}

void AnswerCache::grow() {
    std::vector<Slot> old(slots_.size() * 2);
    old.swap(slots_);
    for (Slot& slot : old)
        if (slot.used)
            slots_[slotFor(slot.code)] = std::move(slot);
}

} // namespace tts::exporting
