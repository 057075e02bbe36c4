#pragma once

#include <string>
#include <vector>

namespace tts::check {

enum class Reading { LineByLine, WholeFile };

// A SICE file one of the jobs reads, and what it is for.
struct SiceFileUse {
    const char* name;       // as the jobs open it
    const char* readerName; // the header-name test's name
    Reading reading;        // how the import (or, for the export's files, the export) reads it
    bool required;          // a job cannot do without it
    const char* neededBy;   // Windows-1252 text for the report
};

// The eight files of the import, in step order (sice_asignat.txt and sice_sesiones.txt are also
// read whole by the export).
const std::vector<SiceFileUse>& siceFileUses();

// A file as found in the folder.
struct SiceFile {
    const SiceFileUse* use = nullptr;
    bool exists = false;
    std::string storedName; // the name in the folder (letter case as stored)
    std::string path;
    std::string bytes;
    std::vector<std::string> lines; // as the import reads them
    std::string readFailure;        // the reading's error text, if any
};

} // namespace tts::check
