#pragma once

#include "base/KeyIndex.h"
#include "sice/WholeFileReader.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tts::import {

// The lines of the course file (sice::layout::Courses) by subject, level and course: the hours text
// of the first data line with those three values. Looking a row up is O(1) and finds the same line
// as walking the file from its start would. The hours texts are views into the lines' bytes, which
// outlive the index.
class CourseHoursIndex {
public:
    explicit CourseHoursIndex(sice::WholeFileLines lines);

    // The line's index in `lines` (0-based), to say where a bad hours text lies.
    std::optional<size_t> lineIndex(std::string_view subject, std::string_view level,
                                    std::string_view course) const;

    struct CourseLine {
        std::string_view hours;
        size_t index; // in `lines`, 0-based
    };
    // Both at once; null when no line has the three values.
    const CourseLine* find(std::string_view subject, std::string_view level,
                           std::string_view course) const;

    size_t lineCount() const { return lineCount_; } // every line of the file, data or not

private:
    // The three values as the file's columns can hold them, each its length and then its bytes:
    // a few bytes on the stack, built without a call. Empty when a value is wider than its
    // columns, and so on no line.
    class Key {
    public:
        Key(std::string_view subject, std::string_view level, std::string_view course);
        std::string_view view() const { return {bytes_, size_}; }

    private:
        void add(std::string_view value, size_t width);
        static constexpr size_t kCapacity = 16; // 3 lengths and 4 + 3 + 3 bytes of columns
        char bytes_[kCapacity];
        size_t size_ = 0;
        bool fits_ = true;
    };

    KeyIndex index_; // key to position in lines_
    std::vector<CourseLine> lines_;
    size_t lineCount_ = 0;
};

} // namespace tts::import
