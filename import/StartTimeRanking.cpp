#include "import/StartTimeRanking.h"

#include "base/CaseTable.h"

#include <algorithm>

namespace tts::import {

bool StartTimeRanking::FoldedLess::operator()(std::string_view a, std::string_view b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return foldCase(static_cast<unsigned char>(x)) < foldCase(static_cast<unsigned char>(y));
    });
}

void StartTimeRanking::add(std::string_view startTime) {
    if (ranks_.find(startTime) != ranks_.end())
        return;
    ranks_.emplace(startTime, 0);
    numbered_ = false;
}

int StartTimeRanking::slotNumber(std::string_view startTime) {
    if (!numbered_) {
        int rank = 0;
        for (auto& entry : ranks_)
            entry.second = ++rank;
        numbered_ = true;
    }
    auto found = ranks_.find(startTime);
    return found == ranks_.end() ? 0 : found->second;
}

} // namespace tts::import
