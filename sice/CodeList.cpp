#include "sice/CodeList.h"

namespace tts::sice {

// The index answers "is any earlier entry equal ignoring case", which is all the first-wins rule
// needs, and numbers the entries in the order added.
std::pair<size_t, bool> CodeList::addOrFind(std::string_view code) {
    return index_.add(code, index_.size());
}

} // namespace tts::sice
