#include "sice/CodeList.h"

namespace tts::sice {

// The index answers "is any earlier entry equal ignoring case", which is all the first-wins rule
// needs, and keeps the entries as read.
bool CodeList::contains(std::string_view code) const {
    return index_.find(code) != nullptr;
}

bool CodeList::addIfNew(std::string_view code) {
    return addOrFind(code).second;
}

std::pair<size_t, bool> CodeList::addOrFind(std::string_view code) {
    return index_.add(code, index_.size());
}

void CodeList::add(std::string_view code) {
    addIfNew(code);
}

std::vector<std::string> CodeList::codes() const {
    std::vector<std::string> codes;
    for (size_t i = 0; i < index_.size(); ++i)
        codes.emplace_back(index_.key(i));
    return codes;
}

} // namespace tts::sice
