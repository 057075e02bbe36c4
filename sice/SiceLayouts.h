#pragma once

#include "base/LocatedError.h"
#include "base/Numbers.h"
#include "sice/Field.h"
#include "sice/LineKind.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace tts::sice {

// How a step takes its required SICE file: line by line, or whole as a list of lines. The two
// split lines differently (see LineReader.h and WholeFileReader.h).
enum class FileReading { LineByLine, Whole };

// The layout of each SICE file the import reads: the one place that says which columns hold
// what, which values stop the import and how they are read, and which code keeps its first line
// only. The steps read their lines through it, and so does `check`, so the two cannot disagree.
namespace layout {

// Columns first-last, 1-based and inclusive.
struct Columns {
    int first;
    int last;

    std::string_view in(std::string_view line) const { return fieldView(line, first, last); }
    constexpr size_t width() const { return static_cast<size_t>(last - first + 1); }
    std::string textIn(std::string_view line) const { return field(line, first, last); }
    // "columnas 14-17", to say where a value lies.
    std::string place() const { return columnsPlace(first, last); }
};

// A value whose text must read, or the import stops on its line.
struct StoppingValue {
    Columns columns;
    const char* what; // for the user: "hora de fin"
};

struct Subjects {
    static constexpr const char* file = "sice_asignat.txt";
    static constexpr const char* headerName = "SICE_ASIGNAT.TXT";
    static constexpr FileReading reading = FileReading::LineByLine;
    static constexpr Columns code{2, 5}; // first line wins, letter case ignored
    static constexpr Columns longCode{6, 25};
    static constexpr Columns name{26, 175};
    // The export's header carries these columns of the first line starting with "0", unpadded.
    static constexpr Columns headerCode{52, 59};
    static bool isData(std::string_view line) { return isDataLine(line, headerName); }
};

// Read after the subjects into the same table and the same code list: an activity's code carries
// a "*" and so never clashes with a subject's.
struct Activities {
    static constexpr const char* file = "SICE_ACTIVIDADES.TXT";
    static constexpr const char* headerName = "SICE_ACTIVIDADES.TXT";
    static constexpr FileReading reading = FileReading::LineByLine;
    static constexpr Columns code{2, 5};
    static constexpr char codePrefix = '*';
    static constexpr Columns longCode{6, 15};
    static constexpr Columns name{6, 65};
    static constexpr Columns task{66, 68};
    static bool isData(std::string_view line) { return isDataLine(line, headerName); }
    // The code as the code list and the table take it.
    static std::string codeOf(std::string_view line) {
        std::string text(1, codePrefix);
        text += code.in(line);
        return text;
    }
};

struct Teachers {
    static constexpr const char* file = "sice_prof.txt";
    static constexpr const char* headerName = "SICE_PROF.TXT";
    static constexpr FileReading reading = FileReading::LineByLine;
    static constexpr Columns code{2, 5}; // first line wins, letter case ignored
    static constexpr Columns name{6, 95};
    static constexpr Columns department{96, 145};
    static bool isData(std::string_view line) { return isDataLine(line, headerName); }
};

// Every data line is a room, repeated codes included.
struct Rooms {
    static constexpr const char* file = "sice_aulas.txt";
    static constexpr const char* headerName = "SICE_AULAS.TXT";
    static constexpr FileReading reading = FileReading::LineByLine;
    static constexpr Columns code{2, 11};
    static constexpr Columns shortCode{12, 15};
    static constexpr Columns name{86, 185};
    static bool isData(std::string_view line) { return isDataLine(line, headerName); }
};

struct Groups {
    static constexpr const char* file = "sice_grupo.txt";
    static constexpr const char* headerName = "SICE_GRUPOS.TXT";
    static constexpr FileReading reading = FileReading::LineByLine;
    static constexpr Columns unit{2, 11};
    static constexpr Columns shortCode{12, 15};
    static constexpr Columns level{16, 18};
    static constexpr Columns course{22, 24};
    static constexpr Columns description{25, 34};
    static constexpr Columns shift{35, 37};
    // The file's name line may carry either spelling; neither is a group.
    static bool isData(std::string_view line) {
        return isDataLine(line, headerName) && isDataLine(line, "SICE_GRUPO.TXT");
    }
    // A group without a level gets "NIV".
    static std::string_view levelOf(std::string_view line) {
        const std::string_view text = level.in(line);
        return text.empty() ? std::string_view("NIV") : text;
    }
};

struct Assignments {
    static constexpr const char* file = "sice_asignatgrupo.txt";
    static constexpr const char* headerName = "SICE_ASIGNATGRUPO.TXT";
    static constexpr FileReading reading = FileReading::LineByLine;
    static constexpr Columns group{2, 11};    // a unit code of the groups file
    static constexpr Columns subject{16, 19}; // a code of the subjects file
    static bool isData(std::string_view line) { return isDataLine(line, headerName); }
};

// The weekly hours of a subject in a level and course; the first line of the three wins.
struct Courses {
    static constexpr const char* file = "sice_asignatcurso.txt";
    static constexpr const char* headerName = "SICE_ASIGNATCURSO.TXT";
    static constexpr FileReading reading = FileReading::Whole;
    static constexpr Columns level{2, 4};
    static constexpr Columns course{8, 10};
    static constexpr Columns subject{24, 27};
    static constexpr StoppingValue hours{{28, 33}, "horas semanales"};
    static bool isData(std::string_view line) { return isDataLine(line, headerName); }
    // The hours text as a number is read: blank is one hour, a decimal comma is a point.
    static std::string hoursNumberText(std::string_view text) {
        std::string number = text.empty() ? std::string(1, '1') : std::string(text);
        std::replace(number.begin(), number.end(), ',', '.');
        return number;
    }
    // At least one hour: a huge negative value must not reach the column at all.
    static double readHours(std::string_view text) {
        return std::max(toDecimal(hoursNumberText(text)), 1.0);
    }
};

struct Sessions {
    static constexpr const char* file = "sice_sesiones.txt";
    static constexpr const char* headerName = "SICE_SESIONES.TXT";
    static constexpr FileReading reading = FileReading::Whole;
    static constexpr Columns slot{5, 8};
    static constexpr Columns day{9, 9}; // the first slot line's tells the export how days are coded
    static constexpr StoppingValue start{{10, 13}, "hora de inicio"};
    static constexpr StoppingValue end{{14, 17}, "hora de fin"};
    // In the order they are read: when both are wrong, the import names the end time.
    static constexpr StoppingValue times[] = {end, start};
    static bool isData(std::string_view line) { return isDataLine(line, headerName); }
    static int32_t readTime(std::string_view text) { return toInteger(text); }
};

} // namespace layout

} // namespace tts::sice
