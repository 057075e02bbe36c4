#include "import/CourseHoursIndex.h"

#include "sice/Field.h"
#include "sice/LineKind.h"

namespace tts::import {

CourseHoursIndex::CourseHoursIndex(const std::vector<std::string>& lines) {
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (!sice::isDataLine(line, "SICE_ASIGNATCURSO.TXT"))
            continue;
        // emplace keeps the first line of a key.
        hours_.emplace(
            key(sice::field(line, 24, 27), sice::field(line, 2, 4), sice::field(line, 8, 10)),
            CourseLine{sice::field(line, 28, 33), i});
    }
}

std::optional<std::string> CourseHoursIndex::hoursText(const std::string& subject,
                                                       const std::string& level,
                                                       const std::string& course) const {
    auto found = hours_.find(key(subject, level, course));
    if (found == hours_.end())
        return std::nullopt;
    return found->second.hours;
}

std::optional<size_t> CourseHoursIndex::lineIndex(const std::string& subject,
                                                  const std::string& level,
                                                  const std::string& course) const {
    auto found = hours_.find(key(subject, level, course));
    if (found == hours_.end())
        return std::nullopt;
    return found->second.index;
}

// Lengths first, so that no byte inside a value can make two different triples meet.
std::string CourseHoursIndex::key(const std::string& subject, const std::string& level,
                                  const std::string& course) {
    return std::to_string(subject.size()) + ',' + std::to_string(level.size()) + ',' +
           std::to_string(course.size()) + ':' + subject + level + course;
}

} // namespace tts::import
