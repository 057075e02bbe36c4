#pragma once

#include "sice/FileLines.h"
#include "sice/SiceLayouts.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tts::check {

// A SICE file one of the jobs reads, and what it is for.
struct SiceFileUse {
    const char* name;                      // as the jobs open it
    bool (*isData)(std::string_view line); // the import's own test
    sice::FileReading reading;             // as the import reads it
    bool required;                         // a job cannot do without it
    std::string neededBy;                  // Windows-1252 text for the report

    // From the layout the import reads the file with.
    template <class Layout> static SiceFileUse of(bool required, std::string neededBy) {
        return {Layout::file, &Layout::isData, Layout::reading, required, std::move(neededBy)};
    }
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
    std::string readFailure; // why it could not be read, if it could not
    std::string leftAside;   // other spellings of its name, left aside as the jobs do
    bool unlisted = false;   // not found because the folder cannot be listed
};

// Calls `each(lineNumber, line)` for every line of the file as the import reads it, the line a
// view valid during the call: nothing is kept per line, whatever the file holds.
template <class Each> void forEachLine(const SiceFile& file, Each&& each) {
    sice::forEachLine(file.bytes, file.use->reading, std::forward<Each>(each));
}

} // namespace tts::check
