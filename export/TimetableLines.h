#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tts::exporting {

// What the import's tables give for a row; empty where no row matched. The views point into
// the lookups' answers, which outlive the row.
struct Translations {
    std::optional<std::string_view> slot;  // CODDIHO of DIASHORAST by day and period
    std::optional<std::string_view> group; // ABREVCORTA of GRUPOST by ABREV
    std::optional<std::string_view> task;  // CODTAREA of ASIGNOMT by COD
    std::optional<std::string_view> room;  // ABREVCORTA of AULAT by ABREV
};

// What a group or room code becomes when the table does not know it: its first 4 characters.
std::string_view shortCodeFallback(std::string_view code);

// A task the subjects table does not know is written as a lecture.
inline const char* const kLectureTask = "LEC";

// What a group or room code writes: the table's answer, else its fallback.
inline std::string_view writtenShortCode(std::string_view code,
                                         std::optional<std::string_view> found) {
    return found ? *found : shortCodeFallback(code);
}
// What a subject's task writes: the table's answer, else a lecture.
inline std::string_view writtenTask(std::optional<std::string_view> found) {
    return found.value_or(std::string_view(kLectureTask));
}

// Whether a value holds a control byte (below 0x20, or 0x7F); inline, as every value of every
// row goes through it.
inline bool hasControlByte(std::string_view value) {
    for (const char c : value)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return true;
    return false;
}

// The control byte of a value that matters most: the first that would
// break the file, else the first other one; 0 when there is none.
char worstControlByte(std::string_view value);
// Whether that byte would break the file: CR or LF split the line, Ctrl-Z ends the file for
// readers that stop there.
bool breaksTheFile(char controlByte);
// "un retorno de carro (CR)", "el byte de control 0x01"...
std::string controlByteName(char controlByte);

// The fields of a data line after its "1", in order: what each holds, as the user knows it
// (Windows-1252), and its width. A longer value is written whole and pushes the rest of the line
// to the right, where SICE no longer finds it.
struct DataField {
    const char* what;
    size_t width;
};
inline constexpr std::array<DataField, 7> kDataFields{{{"tramo", 4},
                                                       {"d\xED"
                                                        "a",
                                                        1},
                                                       {"profesor", 4},
                                                       {"grupo", 4},
                                                       {"tarea", 4},
                                                       {"asignatura", 4},
                                                       {"aula", 4}}};
using DataValues = std::array<std::string_view, kDataFields.size()>;
// Each field's place in kDataFields and DataValues.
enum DataFieldIndex : size_t {
    kSlotField,
    kDayField,
    kTeacherField,
    kGroupField,
    kTaskField,
    kSubjectField,
    kRoomField
};
// A data line whose values all fit their fields: "1" and the fields, without CR LF.
inline constexpr size_t kFittingLineSize = [] {
    size_t size = 1;
    for (const DataField& field : kDataFields)
        size += field.width;
    return size;
}();

// "1", then the values of a data line, each padded to its width and never cut, so a longer
// value pushes the rest of the line to the right. Sized first, then written where the output
// wants it, so that a line costs no growth and no copy.
class TimetableDataLine {
public:
    // The views of `values` must outlive this.
    explicit TimetableDataLine(const DataValues& values);
    size_t size() const { return size_; }
    // Writes size() bytes at `at`.
    void write(char* at) const;

private:
    DataValues values_;
    size_t size_ = 0;
};

// "0"/"9", the file name in 50 columns, the header code in 8, the "ddmmyyyyhhnn" stamp; the
// trailer ends with the number of data lines.
std::string timetableHeaderLine(const std::string& headerCode, const std::string& stamp);
std::string timetableTrailerLine(const std::string& headerCode, const std::string& stamp,
                                 int64_t dataLines);

} // namespace tts::exporting
