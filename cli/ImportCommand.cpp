#include "base/Error.h"
#include "base/ErrorText.h"
#include "cli/CommandOptions.h"
#include "cli/Commands.h"
#include "cli/ConsoleRunHost.h"
#include "cli/DisplayText.h"
#include "cli/ErrorExit.h"
#include "cli/JsonWriter.h"
#include "import/ImportRun.h"

#include <cstdio>
#include <exception>
#include <iostream>
#include <optional>

namespace tts::cli {

namespace {

using import::ImportReport;
using import::TableReport;

struct Outcome {
    int status = ExitOk;
    int32_t result = 0;
    std::optional<std::string> error; // UTF-8, with the full stop
};

void writeJson(std::ostream& out, const std::string& workFolder, const ImportReport& report,
               const ConsoleRunHost& host, const Outcome& outcome) {
    JsonWriter json(out);
    json.beginObject();
    json.key("command");
    json.value("import");
    json.key("workFolder");
    json.value(pathForDisplay(workFolder));
    json.key("folderFound");
    json.value(report.folderFound);
    json.key("finished");
    json.value(report.finished);
    json.key("result");
    json.value(static_cast<int64_t>(outcome.result));
    json.key("exitStatus");
    json.value(outcome.status);
    json.key("messages");
    json.beginArray();
    for (const std::string& message : host.messages())
        json.value(toUtf8(message));
    json.endArray();
    json.key("error");
    if (outcome.error)
        json.value(*outcome.error);
    else
        json.null();
    json.key("tables");
    json.beginArray();
    for (const TableReport& table : report.tables) {
        json.beginObject();
        json.key("table");
        json.value(table.table);
        json.key("rebuilt");
        json.value(table.rebuilt);
        json.key("rowsWritten");
        json.value(table.rowsWritten);
        json.key("repeatedCodes");
        json.value(table.repeatedCodes);
        json.endObject();
    }
    json.endArray();
    json.endObject();
    json.finish();
}

void writeText(std::ostream& out, const ImportReport& report) {
    char line[160];
    std::snprintf(line, sizeof line, "%-12s %14s %18s\n", "Tabla", "Filas escritas",
                  "C\u00F3digos repetidos");
    out << line;
    for (const TableReport& table : report.tables) {
        if (table.rebuilt)
            std::snprintf(line, sizeof line, "%-12s %14lld %17lld\n", table.table.c_str(),
                          static_cast<long long>(table.rowsWritten),
                          static_cast<long long>(table.repeatedCodes));
        else
            std::snprintf(line, sizeof line, "%-12s %14s\n", table.table.c_str(), "sin cambios");
        out << line;
    }
}

} // namespace

// import --sice DIR [--work DIR] [--json]. The notices go to standard error one per line and
// "Proceso finalizado" to standard output, followed by the report; with --json standard output
// holds only the JSON report, so that it can be parsed as it is.
int runImportCommand(const std::vector<std::string>& args) {
    std::string problem;
    const std::optional<CommandOptions> options = parseCommandOptions(args, problem);
    if (!options)
        return usageError(std::cerr, "import", problem);

    const std::string workFolder = chosenWorkFolder(*options);
    ConsoleRunHost host(options->json ? std::cerr : std::cout, std::cerr);
    ImportReport report;
    Outcome outcome;
    try {
        import::runImport(host, options->siceFolder, workFolder, &report);
        outcome.status = report.folderFound && host.result() == 1 ? ExitOk : ExitNotDone;
    } catch (const Error& error) {
        outcome.error = toUtf8(withFullStop(error.message()));
        outcome.status = errorExit(std::cerr, error);
    } catch (const std::exception& failure) {
        // Not one of the program's own errors, but it ended the run all the same.
        outcome.error = toUtf8(withFullStop(failure.what()));
        std::cerr << *outcome.error << std::endl;
        outcome.status = ExitError;
    }
    outcome.result = host.result();

    if (options->json)
        writeJson(std::cout, workFolder, report, host, outcome);
    else if (report.folderFound)
        writeText(std::cout, report);
    return outcome.status;
}

} // namespace tts::cli
