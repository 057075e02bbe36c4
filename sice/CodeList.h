#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace tts::sice {

// The codes a conversion has taken, in the order added, compared without regard to letter case
// (Windows-1252 case table). contains() is O(1) through a hash of the folded code.
class CodeList {
public:
    bool contains(std::string_view code) const;
    void add(std::string code);
    // add() when no equal code is in yet; true when it was added. One fold, one hash.
    bool addIfNew(std::string_view code);
    const std::vector<std::string>& codes() const { return codes_; }

private:
    std::vector<std::string> codes_;
    std::unordered_set<std::string> folded_;
};

} // namespace tts::sice
