#pragma once

#include "base/RunHost.h"
#include "import/ImportRun.h"
#include "sice/FileFinder.h"

#include <string>
#include <utility>

namespace tts::import {

// What every conversion step gets from the run.
struct ImportContext {
    ImportContext(std::string folder, std::string work, RunHost& runHost, ImportReport& runReport)
        : carpetaSice(std::move(folder)), workFolder(std::move(work)), host(runHost),
          report(runReport) {}

    std::string carpetaSice; // the chosen folder followed by the path separator
    std::string workFolder;
    RunHost& host;
    ImportReport& report; // one entry per table, in step order, filled as the steps end
    // The bytes of the SICE file a step reads, kept from step to step: the files are read one
    // after another, and memory the process has already touched costs nothing to fill again.
    std::string fileBytes;

    // A required SICE file is missing: the step's own notice, and the run will end with -1.
    void missingRequired(const std::string& message) {
        host.showMessage(message);
        host.setResult(-1);
    }

    // A SICE file of the folder, whatever the letter case of its name; other spellings of the
    // same name, left aside, go into the report.
    sice::FoundFile findFile(const std::string& name) {
        sice::FoundFile file = locateFile(name);
        noteLeftAside(file);
        return file;
    }

    // The same in two moments, for a step that looks early and reports when it uses the file.
    sice::FoundFile locateFile(const std::string& name) const {
        return sice::findFile(carpetaSice, name);
    }
    void noteLeftAside(const sice::FoundFile& file) {
        sice::noteLeftAside(file, report.filesLeftAside);
    }

    // The step has put its new table in place.
    void recordTable(const TableReport& table) {
        for (TableReport& entry : report.tables)
            if (entry.table == table.table)
                entry = table;
    }
};

} // namespace tts::import
