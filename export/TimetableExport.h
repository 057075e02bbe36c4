#pragma once

#include "base/RunHost.h"
#include "export/LocalClock.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tts::exporting {

// Rows whose code was not found in a lookup table, for the command line's report.
// An empty code is no unknown code (a lesson without a task, group or room): its rows are
// counted apart.
struct Fallback {
    // How many codes of a kind a report lists, the most frequent first; the rest are counted.
    static constexpr size_t kCodesShown = 20;

    int64_t rows = 0;               // rows with a non-empty code that was not found
    std::vector<std::string> codes; // those codes, distinct, in order of first appearance
    std::vector<int64_t> codeRows;  // rows of each code, parallel to `codes`
    std::vector<int64_t> firstRows; // the SOLUC row each code first appears in, from 1

    // Indexes into `codes`, the most frequent first; ties keep the order of first appearance.
    std::vector<size_t> byFrequency() const;
    int64_t emptyRows = 0; // rows whose code was empty and not found
};

// A value written into a field of the data line (kDataFields).
struct FieldValue {
    size_t field = 0;     // index into kDataFields
    std::string value;    // as written
    int64_t rows = 0;     // rows that wrote it there
    int64_t firstRow = 0; // the SOLUC row it first appears in, from 1
};

// Values of one kind (too long for their field, say), with the rows that wrote them.
struct FieldValues {
    int64_t rows = 0;               // rows with at least one such value
    std::vector<FieldValue> values; // distinct by field and value, in order of first appearance
};

struct ExportReport {
    bool folderFound = false;
    bool finished = false;
    int64_t linesWritten = 0; // data lines of SICE_HORARIO.TXT
    Fallback groups;          // CODGRUPO not in GRUPOST
    Fallback tasks;           // TAREA not in ASIGNOMT, written as "LEC"
    Fallback rooms;           // AULA not in AULAT
    Fallback slots;           // day and period with no DIASHORAST row ("day/period")
    // Every slot miss comes from sice_sesiones.txt coding its days one way (letters or digits)
    // while DIASHORAST holds them the other way.
    bool dayCodingMismatch = false;
    int64_t solucRows = 0;  // every row of SOLUC, with a day or without
    FieldValues longValues; // longer than their field: lines SICE will read wrong
    // What the user should know of a finished export, in plain Spanish (Windows-1252), one line
    // each; the command line and the window show these and work out none of their own.
    std::vector<std::string> warnings;
    std::string writtenPath; // where SICE_HORARIO.TXT was written
    // The folder took no new file, so SICE_HORARIO.TXT was rewritten where it stood: the folder's
    // refusal in Spanish ("acceso denegado"); empty when it was replaced whole in one step.
    std::string inPlaceBecause;
    // As in the import's report: files whose names differ only in letter case from one it used.
    std::vector<std::string> filesLeftAside;
};

// BImportarClick's job: SOLUC and the import's tables in `workFolder` into SICE_HORARIO.TXT in
// the chosen SICE folder. Errors (tts::Error) propagate to the caller.
void runExport(RunHost& host, const std::string& chosenFolder, const std::string& workFolder,
               ExportReport* report = nullptr);

// The same, with the clock that dates the header and the trailer given by the caller.
void runExport(RunHost& host, const std::string& chosenFolder, const std::string& workFolder,
               ExportReport* report, const LocalClock& clock);

} // namespace tts::exporting
