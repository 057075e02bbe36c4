#include "base/Windows1252.h"
#include "cli/Commands.h"
#include "cli/JobCommand.h"
#include "cli/JsonWriter.h"
#include "export/TimetableExport.h"

#include <ostream>

namespace tts::cli {

namespace {

using exporting::ExportReport;
using exporting::Fallback;

// The lookups whose misses the user most needs to see: codes that differ between the systems.
struct FallbackKind {
    const char* key;   // JSON
    const char* label; // text report, UTF-8
    const char* empty; // what a row without this code lacks, UTF-8; null for slots
    const Fallback& fallback;
};

std::vector<FallbackKind> fallbackKinds(const ExportReport& report) {
    return {
        {"groups", "Grupos que no est\u00E1n en GRUPOST", "sin grupo", report.groups},
        {"tasks", "Tareas que no est\u00E1n en ASIGNOMT (escritas LEC)", "sin tarea", report.tasks},
        {"rooms", "Aulas que no est\u00E1n en AULAT", "sin aula", report.rooms},
        {"slots", "D\u00EDa/hora sin tramo en DIASHORAST", nullptr, report.slots},
    };
}

const char* const kMismatchCause =
    "Causa: sice_sesiones.txt y DIASHORAST codifican los d\u00EDas de forma distinta (letras "
    "frente a n\u00FAmeros); vuelva a importar la carpeta SICE.";

void writeJson(std::ostream& out, const CommandOptions& options, const std::string& workFolder,
               const ExportReport& report, const ConsoleRunHost& host, const JobOutcome& outcome) {
    JsonWriter json(out);
    json.beginObject();
    writeOutcomeFields(json, "export", options.siceFolder, workFolder,
                       runEnd(report.folderFound, outcome), host, outcome);
    json.key("writtenTo");
    if (report.finished)
        json.value(textForDisplay(report.writtenPath));
    else
        json.null();
    json.key("writtenInPlace");
    json.value(!report.inPlaceBecause.empty());
    json.key("linesWritten");
    json.value(report.linesWritten);
    json.key("fallbacks");
    json.beginObject();
    for (const FallbackKind& kind : fallbackKinds(report)) {
        json.key(kind.key);
        json.beginObject();
        json.key("rows");
        json.value(kind.fallback.rows);
        json.key("emptyRows");
        json.value(kind.fallback.emptyRows);
        json.key("codes");
        json.beginArray();
        for (size_t i : kind.fallback.byFrequency()) {
            json.beginObject();
            json.key("code");
            json.value(windows1252ToUtf8(kind.fallback.codes[i]));
            json.key("rows");
            json.value(kind.fallback.codeRows[i]);
            json.endObject();
        }
        json.endArray();
        json.endObject();
    }
    json.endObject();
    json.key("dayCodingMismatch");
    json.value(report.dayCodingMismatch);
    writeFilesLeftAside(json, report.filesLeftAside);
    json.endObject();
    json.finish();
}

void writeText(std::ostream& out, const ExportReport& report) {
    out << "SICE_HORARIO.TXT: "
        << counted(report.linesWritten, "l\u00EDnea de horario", "l\u00EDneas de horario")
        << ", escrito en " << textForDisplay(report.writtenPath) << "\n";
    if (!report.inPlaceBecause.empty())
        out << "Reescrito en su sitio, sobre el anterior: la carpeta no deja crear archivos ("
            << windows1252ToUtf8(report.inPlaceBecause)
            << "), as\u00ED que no se pudo escribir aparte y cambiarlo de una vez.\n";
    std::string withoutCode;
    for (const FallbackKind& kind : fallbackKinds(report)) {
        const Fallback& f = kind.fallback;
        out << kind.label << ": " << counted(f.rows, "fila", "filas");
        const std::vector<size_t> order = f.byFrequency();
        const char* separator = " (";
        for (size_t n = 0; n < order.size() && n < Fallback::kCodesShown; ++n) {
            // Quoted, so that a code with blanks stays visible.
            out << separator << '"' << windows1252ToUtf8(f.codes[order[n]]) << "\" "
                << f.codeRows[order[n]];
            separator = ", ";
        }
        if (order.size() > Fallback::kCodesShown)
            out << " y " << order.size() - Fallback::kCodesShown << " m\u00E1s";
        out << (order.empty() ? "" : ")") << "\n";
        if (kind.empty && f.emptyRows > 0)
            withoutCode += (withoutCode.empty() ? "" : ", ") +
                           counted(f.emptyRows, "fila", "filas") + " " + kind.empty;
    }
    if (report.dayCodingMismatch)
        out << kMismatchCause << "\n";
    if (!withoutCode.empty())
        out << "Sin c\u00F3digo, escritas en blanco o LEC: " << withoutCode << "\n";
    writeFilesLeftAside(out, report.filesLeftAside);
}

} // namespace

// The same conventions as the import command (cli/JobCommand.h).
int runExportCommand(const std::vector<std::string>& args) {
    ExportReport report;
    const JobCommand command{
        .name = "export",
        .run =
            [&](ConsoleRunHost& host, const std::string& folder, const std::string& workFolder) {
                exporting::runExport(host, folder, workFolder, &report);
                return report.finished;
            },
        .writeJson =
            [&](std::ostream& out, const CommandOptions& options, const std::string& workFolder,
                const ConsoleRunHost& host, const JobOutcome& outcome) {
                writeJson(out, options, workFolder, report, host, outcome);
            },
        .writeText =
            [&](std::ostream& out) {
                if (report.finished)
                    writeText(out, report);
            }};
    return runJobCommand(args, command);
}

} // namespace tts::cli
