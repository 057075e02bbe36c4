#include "import/CourseHoursIndex.h"

#include "sice/SiceLayouts.h"

#include "base/Text.h"

namespace tts::import {

using sice::layout::Courses;

CourseHoursIndex::CourseHoursIndex(sice::WholeFileLines lines) {
    // Counted first, so that neither table grows (and is copied) on the way.
    size_t count = 0;
    sice::WholeFileLines each = lines;
    for (std::string_view line; each.next(line);)
        ++count;
    index_.reserve(count);
    lines_.reserve(count);
    size_t i = 0;
    for (std::string_view line; lines.next(line); ++i) {
        if (!Courses::isData(line))
            continue;
        keyOf(Courses::subject.in(line), Courses::level.in(line), Courses::course.in(line), key_);
        if (index_.add(key_, lines_.size()).second) // the first line of a key stays
            lines_.push_back(CourseLine{Courses::hours.columns.in(line), i});
    }
    lineCount_ = i;
}

const CourseHoursIndex::CourseLine* CourseHoursIndex::find(std::string_view subject,
                                                           std::string_view level,
                                                           std::string_view course) const {
    keyOf(subject, level, course, key_);
    const size_t* at = index_.find(key_);
    return at ? &lines_[*at] : nullptr;
}

std::optional<size_t> CourseHoursIndex::lineIndex(std::string_view subject, std::string_view level,
                                                  std::string_view course) const {
    if (const CourseLine* line = find(subject, level, course))
        return line->index;
    return std::nullopt;
}

void CourseHoursIndex::keyOf(std::string_view subject, std::string_view level,
                             std::string_view course, std::string& key) {
    key.clear();
    appendKeyPart(key, subject);
    appendKeyPart(key, level);
    appendKeyPart(key, course);
}

} // namespace tts::import
