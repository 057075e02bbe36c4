#pragma once

#include "export/DayCoding.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tts::exporting {

// The seven values of a SOLUC row that the export reads, as text.
struct SolucRow {
    std::string day;     // DIA
    std::string period;  // HORA
    std::string teacher; // PROF
    std::string group;   // CODGRUPO
    std::string task;    // TAREA
    std::string subject; // ASIG
    std::string room;    // AULA
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

// What a row writes into those fields, `siceDay` being its day as siceDayCode gives it: the
// tables' answers, or the fallbacks where they had none. Views into the arguments.
DataValues dataLineValues(std::string_view siceDay, const SolucRow& row, const Translations& found);

// "1", then the values of dataLineValues, each padded to its width and never cut.
// Built into `line`, which keeps its capacity from one row to the next.
void timetableDataLine(DayCoding coding, const SolucRow& row, const Translations& found,
                       std::string& line);

// "0"/"9", the file name in 50 columns, the header code in 8, the "ddmmyyyyhhnn" stamp; the
// trailer ends with the number of data lines.
std::string timetableHeaderLine(const std::string& headerCode, const std::string& stamp);
std::string timetableTrailerLine(const std::string& headerCode, const std::string& stamp,
                                 int64_t dataLines);

} // namespace tts::exporting
