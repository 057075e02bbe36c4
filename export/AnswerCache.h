#pragma once

#include "base/KeyIndex.h"

#include <string_view>
#include <utility>
#include <vector>

namespace tts::exporting {

// What a code field of SOLUC gave, remembered by the bytes the field stores: a timetable
// repeats a few thousand codes over a million rows, and a repeat then costs one hash of a few
// bytes, with nothing decoded, copied or looked up in a table. A field's text and what a lookup
// answers for it depend on those bytes alone while the tables are held, so the first answer
// kept for them stands. An answer stays valid until the next add.
template <typename Answer> class AnswerCache {
public:
    // The answer kept for these stored bytes; null when they were never seen.
    const Answer* find(std::string_view stored) const {
        const size_t* at = index_.find(stored);
        return at ? &answers_[*at] : nullptr;
    }
    const Answer& add(std::string_view stored, Answer answer) {
        const auto [at, added] = index_.add(stored, answers_.size());
        if (added)
            answers_.push_back(std::move(answer));
        return answers_[at];
    }

private:
    KeyIndex index_; // stored bytes to their place in answers_
    std::vector<Answer> answers_;
};

} // namespace tts::exporting
