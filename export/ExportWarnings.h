#pragma once

#include "export/TimetableExport.h"

#include <string>
#include <vector>

namespace tts::exporting {

// What the user should know about a written SICE_HORARIO.TXT, from the facts the export
// gathered: codes the tables did not know and what was written instead (an empty code is no
// warning: a guard duty has no group), values too long for their field, a timetable without
// lessons, days coded one way in sice_sesiones.txt and the other in DIASHORAST, and files left
// aside. One line each, in plain Spanish (Windows-1252).
std::vector<std::string> exportWarnings(const ExportReport& report);

} // namespace tts::exporting
