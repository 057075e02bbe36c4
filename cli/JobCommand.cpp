#include "cli/JobCommand.h"

#include <iostream>
#include <optional>

namespace tts::cli {

int runJobCommand(const std::vector<std::string>& args, const JobCommand& command) {
    std::string problem;
    const std::optional<CommandOptions> options = parseCommandOptions(args, problem);
    if (!options)
        return usageError(std::cerr, command.name, problem);

    const std::string workFolder = chosenWorkFolder(*options);
    ConsoleRunHost host(options->json ? std::cerr : std::cout, std::cerr);
    const JobOutcome outcome =
        runJob([&] { return command.run(host, folderForRun(options->siceFolder), workFolder); });

    if (options->json)
        command.writeJson(std::cout, *options, workFolder, host, outcome);
    else
        command.writeText(std::cout);
    return outcome.status;
}

} // namespace tts::cli
