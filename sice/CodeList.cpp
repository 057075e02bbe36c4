#include "sice/CodeList.h"

#include "base/CaseTable.h"

namespace tts::sice {

// The folded set answers "is any earlier entry equal ignoring case", which is all the first-wins
// rule needs; the entries themselves stay as read.
bool CodeList::contains(std::string_view code) const {
    return folded_.count(foldCase(code)) != 0;
}

bool CodeList::addIfNew(std::string_view code) {
    if (!folded_.insert(foldCase(code)).second)
        return false;
    codes_.emplace_back(code);
    return true;
}

void CodeList::add(std::string code) {
    folded_.insert(foldCase(code));
    codes_.push_back(std::move(code));
}

} // namespace tts::sice
