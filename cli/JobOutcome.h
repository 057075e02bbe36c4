#pragma once

#include "base/LocatedError.h"
#include "cli/ConsoleRunHost.h"
#include "cli/JsonWriter.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace tts::cli {

// How a job ended, as the command line reports it.
struct JobOutcome {
    int status = 0;                             // exit status
    std::optional<std::string> error;           // UTF-8, with the full stop
    std::optional<ValueLocation> errorLocation; // where the value that stopped it lies
};

// Runs `job` (which says whether it succeeded) and turns an error that ended it into exit status
// 2, its text printed on standard error as the window's error handler shows it, followed by a
// line with the file, line and columns of the value when the error knows them.
JobOutcome runJob(const std::function<bool()>& job);

// The three ways a run ends, as the JSON report names them.
enum class RunEnd { Finished, Stopped, MissingFolder };
RunEnd runEnd(bool folderFound, const JobOutcome& outcome);

// The fields every command's JSON report opens with:
//   "command", "siceFolder", "workFolder" (as typed, or the default work folder),
//   "outcome": "finished" | "stopped" | "missingFolder", "exitStatus",
//   "messages": the job's notices in order,
//   "error": the text that stopped the job, or null,
//   "errorLocation": {"file", "line", "place"} of the value that stopped it, or null.
void writeOutcomeFields(JsonWriter& json, const char* command, const std::string& siceFolder,
                        const std::string& workFolder, RunEnd end, const ConsoleRunHost& host,
                        const JobOutcome& outcome);

// "filesLeftAside": the job's files whose names differ only in letter case from one it used
// ("se usa X; se deja aparte Y, ..."); the text report has them among the warnings.
void writeFilesLeftAside(JsonWriter& json, const std::vector<std::string>& texts);

// "warnings": what the job's report says the user should know, one text each; and the same in
// the text report, under "Avisos:" (nothing when there is none).
void writeWarnings(JsonWriter& json, const std::vector<std::string>& warnings);
void writeWarnings(std::ostream& out, const std::vector<std::string>& warnings);

// "1 fila", "3 filas".
std::string counted(int64_t n, const char* one, const char* many);

} // namespace tts::cli
