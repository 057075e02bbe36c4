#pragma once

#include "check/Finding.h"
#include "check/ImportValuesCheck.h"

#include <cstdint>
#include <string>

namespace tts::check {

// SOLUC rows whose code was empty and so not looked up: lessons without a task, a group or a room.
struct EmptyCodes {
    int64_t groups = 0, tasks = 0, rooms = 0;
};

// The export's view of the work folder: what would stop it (its two SICE files, the tables, a
// DIA that is no number), SOLUC rows whose group, room, task or day and period find nothing,
// and a day coding of sice_sesiones.txt that DIASHORAST does not share. Opens the tables
// read-only.
void checkExportView(const FoundSiceFiles& folder, const std::string& workFolder,
                     Findings& findings, EmptyCodes& empty);

} // namespace tts::check
