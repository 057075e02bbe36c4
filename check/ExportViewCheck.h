#pragma once

#include "check/Finding.h"
#include "check/ImportValuesCheck.h"
#include "export/DayCoding.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tts::check {

// SOLUC rows whose code was empty and so not looked up: lessons without a task, a group or a room.
struct EmptyCodes {
    int64_t groups = 0, tasks = 0, rooms = 0;
};

// How sice_sesiones.txt codes its days, as the export reads it; a file of fewer than two lines,
// on which the export would stop, is a finding. Nothing when the file is not there.
std::optional<exporting::DayCoding> checkDayCoding(const FoundSiceFiles& folder,
                                                   Findings& findings);

// The export's view of the work folder: what would stop it (the tables, a DIA that is no number),
// SOLUC rows whose group, room, task or day and period find nothing, a SOLUC without rows, values
// too long for their field or holding control bytes, and a day coding of sice_sesiones.txt
// (`coding`, from checkDayCoding) that DIASHORAST does not share. Opens the tables read-only.
void checkExportView(const FoundSiceFiles& folder, std::optional<exporting::DayCoding> coding,
                     const std::string& workFolder, Findings& findings, EmptyCodes& empty);

} // namespace tts::check
