#include "base/Error.h"
#include "base/ErrorText.h"
#include "base/Windows1252.h"
#include "cli/CommandOptions.h"
#include "cli/Commands.h"
#include "cli/ConsoleRunHost.h"
#include "cli/JobOutcome.h"
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

void writeJson(std::ostream& out, const std::string& workFolder, const ImportReport& report,
               const ConsoleRunHost& host, const JobOutcome& outcome) {
    JsonWriter json(out);
    json.beginObject();
    writeOutcomeFields(json, "import", {{"workFolder", workFolder}}, report.folderFound,
                       report.finished, host, outcome);
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
    const JobOutcome outcome = runJob(host, [&] {
        import::runImport(host, options->siceFolder, workFolder, &report);
        return report.folderFound && host.result() == 1;
    });

    if (options->json)
        writeJson(std::cout, workFolder, report, host, outcome);
    else if (report.folderFound)
        writeText(std::cout, report);
    return outcome.status;
}

} // namespace tts::cli
