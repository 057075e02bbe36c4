#include "base/Windows1252.h"
#include "cli/Commands.h"
#include "cli/JobCommand.h"
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

class ExportCommand final : public JobCommand {
public:
    ExportCommand() : JobCommand("export") {}

private:
    bool doJob(ConsoleRunHost& host, const std::string& siceFolder,
               const std::string& workFolder) override {
        exporting::runExport(host, siceFolder, workFolder, &report_);
        return report_.finished;
    }

    bool folderFound() const override { return report_.folderFound; }
    bool hasTextReport() const override { return report_.finished; }
    const std::vector<std::string>& filesLeftAside() const override {
        return report_.filesLeftAside;
    }
    const std::vector<std::string>& warnings() const override { return report_.warnings; }

    void writeJsonFields(JsonWriter& json, RunEnd, const ConsoleRunHost&) const override {
        json.key("writtenTo");
        if (report_.finished)
            json.value(textForDisplay(report_.writtenPath));
        else
            json.null();
        json.member("writtenInPlace", !report_.inPlaceBecause.empty());
        json.member("linesWritten", report_.linesWritten);
        json.key("fallbacks");
        json.beginObject();
        for (const FallbackKind& kind : fallbackKinds(report_)) {
            json.key(kind.key);
            json.beginObject();
            json.member("rows", kind.fallback.rows);
            json.member("emptyRows", kind.fallback.emptyRows);
            json.key("codes");
            json.beginArray();
            for (size_t i : kind.fallback.byFrequency()) {
                json.beginObject();
                json.member("code", windows1252ToUtf8(kind.fallback.codes[i]));
                json.member("rows", kind.fallback.codeRows[i]);
                json.endObject();
            }
            json.endArray();
            json.endObject();
        }
        json.endObject();
        json.member("dayCodingMismatch", report_.dayCodingMismatch);
    }

    void writeTextLines(std::ostream& out) const override {
        out << "SICE_HORARIO.TXT: "
            << counted(report_.linesWritten, "l\u00EDnea de horario", "l\u00EDneas de horario")
            << ", escrito en " << textForDisplay(report_.writtenPath) << "\n";
        if (!report_.inPlaceBecause.empty())
            out << "Reescrito en su sitio, sobre el anterior: la carpeta no deja crear archivos ("
                << windows1252ToUtf8(report_.inPlaceBecause)
                << "), as\u00ED que no se pudo escribir aparte y cambiarlo de una vez.\n";
        std::string withoutCode;
        for (const FallbackKind& kind : fallbackKinds(report_)) {
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
        if (report_.dayCodingMismatch)
            out << kMismatchCause << "\n";
        if (!withoutCode.empty())
            out << "Sin c\u00F3digo, escritas en blanco o LEC: " << withoutCode << "\n";
    }

    ExportReport report_;
};

} // namespace

int runExportCommand(const std::vector<std::string>& args) {
    return ExportCommand().run(args);
}

} // namespace tts::cli
