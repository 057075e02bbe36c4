#pragma once

#include <string>
#include <vector>

namespace tts::cli {

// Exit status of the command line.
enum ExitCode { ExitOk = 0, ExitNotDone = 1, ExitError = 2, ExitUsage = 64 };

// `args` are the words after the command name ("import" / "export").
int runImportCommand(const std::vector<std::string>& args);
int runExportCommand(const std::vector<std::string>& args);
int runCheckCommand(const std::vector<std::string>& args);

} // namespace tts::cli
