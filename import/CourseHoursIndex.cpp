#include "import/CourseHoursIndex.h"

#include "sice/SiceLayouts.h"

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
        const Key key(Courses::subject.in(line), Courses::level.in(line), Courses::course.in(line));
        if (index_.add(key.view(), lines_.size()).second) // the first line of a key stays
            lines_.push_back(CourseLine{Courses::hours.columns.in(line), i});
    }
    lineCount_ = i;
}

const CourseHoursIndex::CourseLine* CourseHoursIndex::find(std::string_view subject,
                                                           std::string_view level,
                                                           std::string_view course) const {
    const Key key(subject, level, course);
    if (key.view().empty())
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

CourseHoursIndex::Key::Key(std::string_view subject, std::string_view level,
                           std::string_view course) {
    add(subject, Courses::subject.width());
    add(level, Courses::level.width());
    add(course, Courses::course.width());
    static_assert(3 + Courses::subject.width() + Courses::level.width() + Courses::course.width() <=
                  kCapacity);
    if (!fits_)
        size_ = 0;
}

void CourseHoursIndex::Key::add(std::string_view value, size_t width) {
    if (value.size() > width) {
        fits_ = false;
        return;
    }
    bytes_[size_++] = static_cast<char>(value.size());
    for (char byte : value)
        bytes_[size_++] = byte;
}

} // namespace tts::import
