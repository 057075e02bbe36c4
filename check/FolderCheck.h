#pragma once

#include "check/ExportViewCheck.h"
#include "check/Finding.h"
#include "check/SiceFileSet.h"

#include <string>
#include <vector>

namespace tts::check {

// The read-only diagnosis of a SICE folder and a work folder, and its report.
struct FileStatus {
    std::string name;       // as the jobs open it
    std::string storedName; // as found in the folder; empty when missing
    std::string neededBy;
};

struct CheckReport {
    bool folderFound = false;
    bool workChecked = false;
    std::vector<FileStatus> files; // the eight SICE files, in step order
    Findings findings;             // by file, then by line
    EmptyCodes emptyCodes;         // with a work folder
    int64_t stopping() const;      // findings that would stop a job or lose lines
    int64_t warnings() const;      // the other findings, notes left out
    int64_t notes() const;
};

// Reads the SICE folder `chosenFolder` (and, when `workFolder` is not empty, the work tables)
// and says what the jobs would do wrong with them. Writes nothing. Linear in the size of the
// files and tables: every lookup goes through a hash.
CheckReport checkFolder(const std::string& chosenFolder, const std::string& workFolder);

} // namespace tts::check
