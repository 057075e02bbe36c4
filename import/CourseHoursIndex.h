#pragma once

#include "sice/WholeFileReader.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tts::import {

// The lines of the course file (sice::layout::Courses) by subject, level and course: the hours text
// of the first data line with those three values. Looking a row up is O(1) and finds the same line
// as walking the file from its start would.
class CourseHoursIndex {
public:
    explicit CourseHoursIndex(sice::WholeFileLines lines);

    std::optional<std::string> hoursText(const std::string& subject, const std::string& level,
                                         const std::string& course) const;

    // The same line's index in `lines` (0-based), to say where a bad hours text lies.
    std::optional<size_t> lineIndex(const std::string& subject, const std::string& level,
                                    const std::string& course) const;

    struct CourseLine {
        std::string hours;
        size_t index; // in `lines`, 0-based
    };
    // Both at once; null when no line has the three values.
    const CourseLine* find(const std::string& subject, const std::string& level,
                           const std::string& course) const;

private:
    static std::string key(std::string_view subject, std::string_view level,
                           std::string_view course);
    std::unordered_map<std::string, CourseLine> hours_;
};

} // namespace tts::import
