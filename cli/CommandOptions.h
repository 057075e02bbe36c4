#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace tts::cli {

// The options both jobs take on the command line.
struct CommandOptions {
    std::string siceFolder; // --sice, required
    std::string workFolder; // --work; empty means tables::workFolder()
    bool json = false;      // --json
};

// Parses the words after the command name: "--sice DIR", "--work DIR" (also "--sice=DIR"),
// "--json". Returns nothing on a usage error and puts its Spanish text (UTF-8) in `problem`.
std::optional<CommandOptions> parseCommandOptions(const std::vector<std::string>& args,
                                                  std::string& problem);

// The work folder the options ask for, or the default one.
std::string chosenWorkFolder(const CommandOptions& options);

// The folder as the jobs take it: the typed path without its trailing separators, since the
// jobs append one themselves ("dir/" must not become "dir//"). "/" gives "", which the jobs turn
// back into "/".
std::string folderForRun(const std::string& typed);

// "Carpeta: " and the folder as typed: the line under a missing-folder notice, which says which
// folder it means as the window shows it beside the notice.
std::string folderLine(const std::string& typedFolder);

// Writes the problem and the command's usage line to `err` and returns ExitUsage.
int usageError(std::ostream& err, const std::string& command, const std::string& problem);

} // namespace tts::cli
