#include "base/Error.h"
#include "base/ErrorText.h"
#include "base/Windows1252.h"
#include "cli/CommandOptions.h"
#include "cli/Commands.h"
#include "cli/ConsoleRunHost.h"
#include "cli/JobOutcome.h"
#include "cli/JsonWriter.h"
#include "export/TimetableExport.h"

#include <exception>
#include <iostream>
#include <optional>

namespace tts::cli {

namespace {

using exporting::ExportReport;
using exporting::Fallback;

// The lookups whose misses the user most needs to see: codes that differ between the systems.
struct FallbackKind {
    const char* key;   // JSON
    const char* label; // text report, UTF-8
    const Fallback& fallback;
};

std::vector<FallbackKind> fallbackKinds(const ExportReport& report) {
    return {
        {"groups", "Grupos que no est\u00E1n en GRUPOST", report.groups},
        {"tasks", "Tareas que no est\u00E1n en ASIGNOMT (escritas LEC)", report.tasks},
        {"rooms", "Aulas que no est\u00E1n en AULAT", report.rooms},
        {"slots", "D\u00EDa/hora sin tramo en DIASHORAST", report.slots},
    };
}

void writeJson(std::ostream& out, const std::string& siceFolder, const std::string& workFolder,
               const ExportReport& report, const ConsoleRunHost& host, const JobOutcome& outcome) {
    JsonWriter json(out);
    json.beginObject();
    writeOutcomeFields(json, "export", {{"siceFolder", siceFolder}, {"workFolder", workFolder}},
                       report.folderFound, report.finished, host, outcome);
    json.key("linesWritten");
    json.value(report.linesWritten);
    json.key("fallbacks");
    json.beginObject();
    for (const FallbackKind& kind : fallbackKinds(report)) {
        json.key(kind.key);
        json.beginObject();
        json.key("rows");
        json.value(kind.fallback.rows);
        json.key("codes");
        json.beginArray();
        for (const std::string& code : kind.fallback.codes)
            json.value(windows1252ToUtf8(code));
        json.endArray();
        json.endObject();
    }
    json.endObject();
    json.endObject();
    json.finish();
}

void writeText(std::ostream& out, const ExportReport& report) {
    out << "SICE_HORARIO.TXT: " << report.linesWritten << " l\u00EDneas de horario\n";
    for (const FallbackKind& kind : fallbackKinds(report)) {
        out << kind.label << ": " << kind.fallback.rows << " filas";
        const char* separator = " (";
        for (const std::string& code : kind.fallback.codes) {
            // Quoted, so that an empty code or one with blanks stays visible.
            out << separator << '"' << windows1252ToUtf8(code) << '"';
            separator = ", ";
        }
        out << (kind.fallback.codes.empty() ? "" : ")") << "\n";
    }
}

} // namespace

// export --sice DIR [--work DIR] [--json]. The same conventions as the import command: notices
// on standard error, "Proceso finalizado" and the report on standard output (with --json only
// the JSON report goes there).
int runExportCommand(const std::vector<std::string>& args) {
    std::string problem;
    const std::optional<CommandOptions> options = parseCommandOptions(args, problem);
    if (!options)
        return usageError(std::cerr, "export", problem);

    const std::string workFolder = chosenWorkFolder(*options);
    ConsoleRunHost host(options->json ? std::cerr : std::cout, std::cerr);
    ExportReport report;
    const JobOutcome outcome = runJob(host, [&] {
        exporting::runExport(host, options->siceFolder, workFolder, &report);
        return report.finished;
    });

    if (options->json)
        writeJson(std::cout, options->siceFolder, workFolder, report, host, outcome);
    else if (report.finished)
        writeText(std::cout, report);
    return outcome.status;
}

} // namespace tts::cli
