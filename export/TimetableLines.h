#pragma once

#include "export/DayCoding.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tts::exporting {

// The seven values of a SOLUC row that the export reads, as text; views into what the row loop
// keeps, valid for the row.
struct SolucRow {
    std::string_view day;     // DIA
    std::string_view period;  // HORA
    std::string_view teacher; // PROF
    std::string_view group;   // CODGRUPO
    std::string_view task;    // TAREA
    std::string_view subject; // ASIG
    std::string_view room;    // AULA
};

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

// "1", slot, day, teacher, group, task, subject, room; each padded to its width (1 or 4) and
// never cut, so a longer value pushes the rest of the line to the right.
// Appended to `line`: the output's own block, so that the line is built where it is written.
void timetableDataLine(DayCoding coding, const SolucRow& row, const Translations& found,
                       std::string& line);

// "0"/"9", the file name in 50 columns, the header code in 8, the "ddmmyyyyhhnn" stamp; the
// trailer ends with the number of data lines.
std::string timetableHeaderLine(const std::string& headerCode, const std::string& stamp);
std::string timetableTrailerLine(const std::string& headerCode, const std::string& stamp,
                                 int64_t dataLines);

} // namespace tts::exporting
