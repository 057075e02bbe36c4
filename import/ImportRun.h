#pragma once

#include "base/RunHost.h"
#include "tables/TableSchemas.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tts::import {

// Data lines of one file left out because their code was already taken.
struct RepeatedCodes {
    std::string file;                 // as the step opens it
    int64_t lines = 0;                // lines left out
    int64_t distinct = 0;             // codes among them, each counted once
    std::vector<std::string> codes{}; // the first few codes repeated, distinct, as read
};

// What one table got from a run, for the command line's report.
struct TableReport {
    std::string table;    // "ASIGNOMT", "PROFT", ...
    bool rebuilt = false; // false when its required file was missing or the step did not run
    int64_t rowsWritten = 0;
    int64_t repeatedCodes = 0;            // data lines dropped because their code was already taken
    std::vector<RepeatedCodes> repeats{}; // the same by file, for the files that had any
    // Its required file as the step opens it, when the file was there but held no data line:
    // the table was rebuilt without its rows.
    std::string fileWithoutData{};
};

// The tables a run rebuilds, in the order of its steps.
inline constexpr const tables::TableSchema* kImportedTables[] = {
    &tables::schema::Subjects::table,    &tables::schema::Teachers::table,
    &tables::schema::Rooms::table,       &tables::schema::Groups::table,
    &tables::schema::Assignments::table, &tables::schema::Slots::table};

struct ImportReport {
    bool folderFound = false;
    bool finished = false;           // "Proceso finalizado" was reached
    std::vector<TableReport> tables; // in step order
    // Files of the folder whose names differ only in letter case from the one a step used:
    // "se usa X; se deja aparte Y, ...", Windows-1252 text with the names as stored.
    std::vector<std::string> filesLeftAside;
    // What the user should know of a finished run, in plain Spanish (Windows-1252), one line
    // each; the command line and the window show these and work out none of their own.
    std::vector<std::string> warnings;
};

// BExportarClick's job: the SICE folder chosen in the window (without the trailing separator,
// which the run appends as CarpetaSice) into the six work tables in `workFolder`.
// Errors (tts::Error) end the run where they occur and propagate to the caller.
// `report`, when given, is filled as the run goes, so it is also meaningful after an error.
void runImport(RunHost& host, const std::string& chosenFolder, const std::string& workFolder,
               ImportReport* report = nullptr);

} // namespace tts::import
