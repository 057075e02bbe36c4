#include "import/CourseHoursIndex.h"

#include "sice/SiceLayouts.h"

namespace tts::import {

CourseHoursIndex::CourseHoursIndex(sice::WholeFileLines lines) {
    size_t i = 0;
    for (std::string_view line; lines.next(line); ++i) {
        using sice::layout::Courses;
        if (!Courses::isData(line))
            continue;
        // emplace keeps the first line of a key.
        hours_.emplace(
            key(Courses::subject.in(line), Courses::level.in(line), Courses::course.in(line)),
            CourseLine{Courses::hours.columns.textIn(line), i});
    }
}

const CourseHoursIndex::CourseLine* CourseHoursIndex::find(const std::string& subject,
                                                           const std::string& level,
                                                           const std::string& course) const {
    auto found = hours_.find(key(subject, level, course));
    return found == hours_.end() ? nullptr : &found->second;
}

std::optional<std::string> CourseHoursIndex::hoursText(const std::string& subject,
                                                       const std::string& level,
                                                       const std::string& course) const {
    if (const CourseLine* line = find(subject, level, course))
        return line->hours;
    return std::nullopt;
}

std::optional<size_t> CourseHoursIndex::lineIndex(const std::string& subject,
                                                  const std::string& level,
                                                  const std::string& course) const {
    if (const CourseLine* line = find(subject, level, course))
        return line->index;
    return std::nullopt;
}

// The lengths of the first two values first, so that no byte inside a value can make two
// different triples meet. Short enough to stay inside the string, without an allocation. The
// file's columns are at most 4 wide, so a value too long for a one-byte length matches no line.
std::string CourseHoursIndex::key(std::string_view subject, std::string_view level,
                                  std::string_view course) {
    if (subject.size() > 255 || level.size() > 255)
        return std::string(2, '\xFF');
    std::string key;
    key.reserve(2 + subject.size() + level.size() + course.size());
    key += static_cast<char>(subject.size());
    key += static_cast<char>(level.size());
    key += subject;
    key += level;
    key += course;
    return key;
}

} // namespace tts::import
