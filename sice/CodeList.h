#pragma once

#include "base/KeyIndex.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tts::sice {

// The codes a conversion has taken, in the order added, compared without regard to letter case
// (Windows-1252 case table). contains() is O(1) through a hash of the folded code.
class CodeList {
public:
    bool contains(std::string_view code) const;
    void add(std::string_view code); // an equal code already in: nothing more is kept
    // add() when no equal code is in yet; true when it was added. One hash, no copy.
    bool addIfNew(std::string_view code);
    // The position, in the order added, of the equal code already in (false), or of `code`, added
    // now (true).
    std::pair<size_t, bool> addOrFind(std::string_view code);
    std::vector<std::string> codes() const; // as read, in the order added

private:
    KeyIndex index_{KeyIndex::LetterCase::Ignored};
};

} // namespace tts::sice
