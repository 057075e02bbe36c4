#pragma once

#include "base/KeyIndex.h"

#include <string_view>
#include <utility>

namespace tts::sice {

// The codes a conversion has taken, in the order added, compared without regard to letter case
// (Windows-1252 case table): the first line with a code wins. O(1) through a hash of the folded
// code.
class CodeList {
public:
    // The position, in the order added, of the equal code already in (false), or of `code`, added
    // now (true). One hash, no copy.
    std::pair<size_t, bool> addOrFind(std::string_view code);

private:
    KeyIndex index_{KeyIndex::LetterCase::Ignored};
};

} // namespace tts::sice
