#include "cli/JobOutcome.h"

#include "base/Error.h"
#include "base/ErrorText.h"
#include "base/Windows1252.h"
#include "cli/Commands.h"

#include <exception>
#include <iostream>

namespace tts::cli {

JobOutcome runJob(const std::function<bool()>& job) {
    JobOutcome outcome;
    try {
        outcome.status = job() ? ExitOk : ExitNotDone;
    } catch (const LocatedError& error) {
        outcome.error = textForDisplay(withFullStop(error.message()));
        outcome.errorLocation = error.where();
        outcome.status = ExitError;
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
    // A whole file's location is already in the message's own context lines.
    if (outcome.errorLocation && outcome.errorLocation->line > 0)
        std::cerr << textForDisplay(outcome.errorLocation->text()) << std::endl;
    return outcome;
}

RunEnd runEnd(bool folderFound, const JobOutcome& outcome) {
    if (outcome.error)
        return RunEnd::Stopped;
    return folderFound ? RunEnd::Finished : RunEnd::MissingFolder;
}

void writeOutcomeFields(JsonWriter& json, const char* command, const std::string& siceFolder,
                        const std::string& workFolder, RunEnd end, const ConsoleRunHost& host,
                        const JobOutcome& outcome) {
    json.member("command", command);
    json.member("siceFolder", textForDisplay(siceFolder));
    json.member("workFolder", textForDisplay(workFolder));
    json.member("outcome", end == RunEnd::Finished  ? "finished"
                           : end == RunEnd::Stopped ? "stopped"
                                                    : "missingFolder");
    json.member("exitStatus", outcome.status);
    writeTextArray(json, "messages", host.messages());
    json.key("error");
    if (outcome.error)
        json.value(*outcome.error);
    else
        json.null();
    json.key("errorLocation");
    if (outcome.errorLocation) {
        json.beginObject();
        json.member("file", textForDisplay(outcome.errorLocation->file));
        json.key("line");
        if (outcome.errorLocation->line > 0)
            json.value(outcome.errorLocation->line);
        else
            json.null(); // the file as a whole
        json.member("place", textForDisplay(outcome.errorLocation->place));
        json.endObject();
    } else {
        json.null();
    }
}

void writeTextArray(JsonWriter& json, const char* key, const std::vector<std::string>& texts) {
    json.key(key);
    json.beginArray();
    for (const std::string& text : texts)
        json.value(textForDisplay(text));
    json.endArray();
}

void writeWarnings(std::ostream& out, const std::vector<std::string>& warnings) {
    if (warnings.empty())
        return;
    out << "Avisos:\n";
    for (const std::string& warning : warnings)
        out << "  " << textForDisplay(warning) << "\n";
}

std::string counted(int64_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

} // namespace tts::cli
