#include "cli/JobOutcome.h"

#include "base/Error.h"
#include "base/ErrorText.h"
#include "base/Windows1252.h"
#include "cli/Commands.h"

#include <exception>
#include <iostream>

namespace tts::cli {

JobOutcome runJob(const ConsoleRunHost& host, const std::function<bool()>& job) {
    JobOutcome outcome;
    try {
        outcome.status = job() ? ExitOk : ExitNotDone;
    } catch (const Error& error) {
        outcome.error = textForDisplay(withFullStop(error.message()));
        outcome.status = ExitError;
    } catch (const std::exception& failure) {
        // Not one of the program's own errors, but it ended the job all the same.
        outcome.error = textForDisplay(withFullStop(failure.what()));
        outcome.status = ExitError;
    }
    if (outcome.error)
        std::cerr << *outcome.error << std::endl;
    outcome.result = host.result();
    return outcome;
}

void writeOutcomeFields(JsonWriter& json, const char* command, const NamedFolders& folders,
                        bool folderFound, bool finished, const ConsoleRunHost& host,
                        const JobOutcome& outcome) {
    json.key("command");
    json.value(command);
    for (const auto& [key, path] : folders) {
        json.key(key);
        json.value(textForDisplay(path));
    }
    json.key("folderFound");
    json.value(folderFound);
    json.key("finished");
    json.value(finished);
    json.key("result");
    json.value(static_cast<int64_t>(outcome.result));
    json.key("exitStatus");
    json.value(outcome.status);
    json.key("messages");
    json.beginArray();
    for (const std::string& message : host.messages())
        json.value(textForDisplay(message));
    json.endArray();
    json.key("error");
    if (outcome.error)
        json.value(*outcome.error);
    else
        json.null();
}

} // namespace tts::cli
