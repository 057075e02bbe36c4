#include "import/CourseHoursIndex.h"

#include "sice/SiceLayouts.h"

#include <cstring>

namespace tts::import {

using sice::layout::Courses;

namespace {

constexpr size_t widthOf(sice::layout::Columns columns) {
    return static_cast<size_t>(columns.last - columns.first + 1);
}

} // namespace

CourseHoursIndex::CourseHoursIndex(sice::WholeFileLines lines) {
    // Counted first, so that neither table grows (and is copied) on the way.
    size_t count = 0;
    sice::WholeFileLines each = lines;
    for (std::string_view line; each.next(line);)
        ++count;
    index_.reserve(count);
    lines_.reserve(count);
    size_t i = 0;
    Key key;
    for (std::string_view line; lines.next(line); ++i) {
        if (!Courses::isData(line))
            continue;
        keyOf(Courses::subject.in(line), Courses::level.in(line), Courses::course.in(line), key);
        if (index_.add(key.view(), lines_.size()).second) // the first line of a key stays
            lines_.push_back(CourseLine{Courses::hours.columns.in(line), i});
    }
    lineCount_ = i;
}

const CourseHoursIndex::CourseLine* CourseHoursIndex::find(std::string_view subject,
                                                           std::string_view level,
                                                           std::string_view course) const {
    Key key;
    if (!keyOf(subject, level, course, key))
        return nullptr;
    const size_t* at = index_.find(key.view());
    return at ? &lines_[*at] : nullptr;
}

std::optional<size_t> CourseHoursIndex::lineIndex(std::string_view subject, std::string_view level,
                                                  std::string_view course) const {
    if (const CourseLine* line = find(subject, level, course))
        return line->index;
    return std::nullopt;
}

// The lengths of the first two values first, so that no byte inside a value can make two
// different triples meet. A value wider than its columns in the file matches no line.
bool CourseHoursIndex::keyOf(std::string_view subject, std::string_view level,
                             std::string_view course, Key& key) {
    static_assert(2 + widthOf(Courses::subject) + widthOf(Courses::level) +
                      widthOf(Courses::course) <=
                  sizeof key.bytes);
    if (subject.size() > widthOf(Courses::subject) || level.size() > widthOf(Courses::level) ||
        course.size() > widthOf(Courses::course))
        return false;
    char* at = key.bytes;
    *at++ = static_cast<char>(subject.size());
    *at++ = static_cast<char>(level.size());
    for (std::string_view part : {subject, level, course}) {
        if (!part.empty())
            std::memcpy(at, part.data(), part.size());
        at += part.size();
    }
    key.size = static_cast<size_t>(at - key.bytes);
    return true;
}

} // namespace tts::import
