#pragma once

#include "cli/ConsoleRunHost.h"
#include "cli/JsonWriter.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tts::cli {

// How a job ended, as the command line reports it.
struct JobOutcome {
    int status = 0;                   // exit status
    int32_t result = 0;               // EstadoTransformado at the end
    std::optional<std::string> error; // UTF-8, with the full stop
};

// Runs `job` (which says whether it succeeded) and turns an error that ended it into exit status
// 2, its text printed on standard error as the window's error handler shows it.
JobOutcome runJob(const ConsoleRunHost& host, const std::function<bool()>& job);

// The fields both commands' JSON reports open with; `folders` are (key, path) pairs written
// right after the command.
using NamedFolders = std::vector<std::pair<const char*, std::string>>;
void writeOutcomeFields(JsonWriter& json, const char* command, const NamedFolders& folders,
                        bool folderFound, bool finished, const ConsoleRunHost& host,
                        const JobOutcome& outcome);

} // namespace tts::cli
