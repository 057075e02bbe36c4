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

// `key` and its array of texts, each as the user reads it: the notices, the files left aside,
// the warnings.
void writeTextArray(JsonWriter& json, const char* key, const std::vector<std::string>& texts);

// The warnings in the text report, under "Avisos:" (nothing when there is none).
void writeWarnings(std::ostream& out, const std::vector<std::string>& warnings);

// "1 fila", "3 filas".
std::string counted(int64_t n, const char* one, const char* many);

} // namespace tts::cli
