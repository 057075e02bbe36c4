#include "export/AnswerCache.h"

#include <utility>

namespace tts::exporting {

const std::optional<std::string>* AnswerCache::find(std::string_view code) const {
    const size_t* at = codes_.find(code);
    return at ? &answers_[*at] : nullptr;
}

const std::optional<std::string>& AnswerCache::add(std::string_view code,
                                                   std::optional<std::string> answer) {
    const auto [at, added] = codes_.add(code, answers_.size());
    if (added)
        answers_.push_back(std::move(answer));
    return answers_[at];
}

} // namespace tts::exporting
