#pragma once

#include "cli/CommandOptions.h"
#include "cli/ConsoleRunHost.h"
#include "cli/JobOutcome.h"

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace tts::cli {

// What the import and the export command each bring; the rest is the same for both.
struct JobCommand {
    const char* name; // "import", "export", as the usage line names it
    // Runs the job into the command's own report; true when it succeeded.
    std::function<bool(ConsoleRunHost& host, const std::string& siceFolder,
                       const std::string& workFolder)>
        run;
    std::function<void(std::ostream& out, const CommandOptions& options,
                       const std::string& workFolder, const ConsoleRunHost& host,
                       const JobOutcome& outcome)>
        writeJson;
    // The text report after the job; writes nothing when the job got nothing to report.
    std::function<void(std::ostream& out)> writeText;
};

// `command` --sice DIR [--work DIR] [--json]. The notices go to standard error one per line and
// "Proceso finalizado" to standard output, followed by the report; with --json standard output
// holds only the JSON report, so that it can be parsed as it is. Returns the exit status.
int runJobCommand(const std::vector<std::string>& args, const JobCommand& command);

} // namespace tts::cli
