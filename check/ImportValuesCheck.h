#pragma once

#include "check/Finding.h"
#include "check/SiceFileSet.h"

#include <map>
#include <string>

namespace tts::check {

// The folder's files by the name the jobs open them with; a missing file has exists false.
using FoundSiceFiles = std::map<std::string, SiceFile>;

// What the import would do with the values: every line that would stop it (times of
// sice_sesiones.txt, the hours of sice_asignatcurso.txt that an assignment uses), the lines
// dropped as repeats, and references between files that find nothing.
void checkImportValues(const FoundSiceFiles& folder, Findings& findings);

} // namespace tts::check
