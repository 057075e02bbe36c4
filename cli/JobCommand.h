#pragma once

#include "cli/ConsoleRunHost.h"
#include "cli/JobOutcome.h"
#include "cli/JsonWriter.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace tts::cli {

// The runner of the import and the export command: `name` --sice DIR [--work DIR] [--json].
// The notices go to standard error one per line and "Proceso finalizado" to standard output,
// followed by the report; with --json standard output holds only the JSON report, so that it can
// be parsed as it is. The report opens with the fields every job has and ends with the files left
// aside and the job's warnings ("Avisos:" in the text, `warnings` in JSON); a command brings only
// how it runs its job and what its report adds in between.
class JobCommand {
public:
    // `args` are the words after the command's name. Returns the exit status.
    int run(const std::vector<std::string>& args);

protected:
    explicit JobCommand(const char* name) : name_(name) {}
    ~JobCommand() = default;

private:
    // Runs the job into the command's own report; true when it succeeded.
    virtual bool doJob(ConsoleRunHost& host, const std::string& siceFolder,
                       const std::string& workFolder) = 0;

    // Asked of that report once the job is over, also when an error stopped it.
    virtual bool folderFound() const = 0;
    virtual bool hasTextReport() const = 0; // false: the notices are all the text says
    virtual const std::vector<std::string>& filesLeftAside() const = 0;
    // What the job's report says the user should know (Windows-1252 lines).
    virtual const std::vector<std::string>& warnings() const = 0;
    virtual void writeJsonFields(JsonWriter& json, RunEnd end,
                                 const ConsoleRunHost& host) const = 0;
    virtual void writeTextLines(std::ostream& out) const = 0;

    const char* name_; // "import", "export", as the usage line names it
};

} // namespace tts::cli
