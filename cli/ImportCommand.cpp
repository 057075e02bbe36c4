#include "cli/Commands.h"
#include "cli/JobCommand.h"
#include "cli/JsonWriter.h"
#include "import/ImportRun.h"

#include <cstdio>
#include <ostream>

namespace tts::cli {

namespace {

using import::ImportReport;
using import::TableReport;

const char* const kTables[] = {"ASIGNOMT", "PROFT", "AULAT", "GRUPOST", "ASIGT", "DIASHORAST"};

// Every table appears in the report, also those the run never reached.
std::vector<TableReport> allTables(const ImportReport& report) {
    std::vector<TableReport> tables;
    for (const char* name : kTables) {
        TableReport entry{name};
        for (const TableReport& t : report.tables)
            if (t.table == name)
                entry = t;
        tables.push_back(entry);
    }
    return tables;
}

void writeJson(std::ostream& out, const CommandOptions& options, const std::string& workFolder,
               const ImportReport& report, const ConsoleRunHost& host, const JobOutcome& outcome) {
    JsonWriter json(out);
    json.beginObject();
    const RunEnd end = runEnd(report.folderFound, outcome);
    writeOutcomeFields(json, "import", options.siceFolder, workFolder, end, host, outcome);
    json.key("requiredFileMissing");
    json.value(end == RunEnd::Finished && host.result() == -1);
    json.key("tables");
    json.beginArray();
    for (const TableReport& table : allTables(report)) {
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
    writeFilesLeftAside(json, report.filesLeftAside);
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
    writeFilesLeftAside(out, report.filesLeftAside);
}

} // namespace

int runImportCommand(const std::vector<std::string>& args) {
    ImportReport report;
    const JobCommand command{
        .name = "import",
        .run =
            [&](ConsoleRunHost& host, const std::string& folder, const std::string& workFolder) {
                import::runImport(host, folder, workFolder, &report);
                return report.folderFound && host.result() == 1;
            },
        .writeJson =
            [&](std::ostream& out, const CommandOptions& options, const std::string& workFolder,
                const ConsoleRunHost& host, const JobOutcome& outcome) {
                writeJson(out, options, workFolder, report, host, outcome);
            },
        .writeText =
            [&](std::ostream& out) {
                if (report.folderFound)
                    writeText(out, report);
            }};
    return runJobCommand(args, command);
}

} // namespace tts::cli
