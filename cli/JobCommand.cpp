#include "cli/JobCommand.h"

#include "base/Windows1252.h"
#include "cli/CommandOptions.h"

#include <iostream>
#include <optional>

namespace tts::cli {

int JobCommand::run(const std::vector<std::string>& args) {
    std::string problem;
    const std::optional<CommandOptions> options = parseCommandOptions(args, problem);
    if (!options)
        return usageError(std::cerr, name_, problem);

    const std::string workFolder = chosenWorkFolder(*options);
    ConsoleRunHost host(options->json ? std::cerr : std::cout, std::cerr);
    JobOutcome outcome =
        runJob([&] { return doJob(host, folderForRun(options->siceFolder), workFolder); });
    const RunEnd end = runEnd(folderFound(), outcome);
    if (end == RunEnd::MissingFolder && !host.messages().empty()) {
        // The window shows the folder beside its notice; here the notice says which one.
        const std::string line = folderLine(options->siceFolder);
        std::cerr << textForDisplay(line) << std::endl;
        outcome.error = textForDisplay(host.messages().back() + "\n" + line);
    }

    if (options->json) {
        JsonWriter json(std::cout);
        json.beginObject();
        writeOutcomeFields(json, name_, options->siceFolder, workFolder, end, host, outcome);
        writeJsonFields(json, end, host);
        // The job's files whose names differ only in letter case from one it used ("se usa X; se
        // deja aparte Y, ..."), which the text report has among the warnings; then the warnings,
        // what the job's report says the user should know.
        writeTextArray(json, "filesLeftAside", filesLeftAside());
        writeTextArray(json, "warnings", warnings());
        json.endObject();
        json.finish();
    } else if (hasTextReport()) {
        writeTextLines(std::cout);
        // The files left aside are among the warnings.
        writeWarnings(std::cout, warnings());
    }
    return outcome.status;
}

} // namespace tts::cli
