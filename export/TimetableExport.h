#pragma once

#include "base/RunHost.h"
#include "export/LocalClock.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tts::exporting {

// Rows whose code was not found in a lookup table, for the command line's report.
struct Fallback {
    int64_t rows = 0;
    std::vector<std::string> codes; // distinct, in order of first appearance
};

struct ExportReport {
    bool folderFound = false;
    bool finished = false;
    int64_t linesWritten = 0; // data lines of SICE_HORARIO.TXT
    Fallback groups;          // CODGRUPO not in GRUPOST
    Fallback tasks;           // TAREA not in ASIGNOMT, written as "LEC"
    Fallback rooms;           // AULA not in AULAT
    Fallback slots;           // day and period with no DIASHORAST row ("day/period")
};

// BImportarClick's job: SOLUC and the import's tables in `workFolder` into SICE_HORARIO.TXT in
// the chosen SICE folder. Errors (tts::Error) propagate to the caller.
void runExport(RunHost& host, const std::string& chosenFolder, const std::string& workFolder,
               ExportReport* report = nullptr);

// The same, with the clock that dates the header and the trailer given by the caller.
void runExport(RunHost& host, const std::string& chosenFolder, const std::string& workFolder,
               ExportReport* report, const LocalClock& clock);

} // namespace tts::exporting
