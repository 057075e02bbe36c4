#include "base/ErrorText.h"
#include "base/Windows1252.h"
#include "check/FolderCheck.h"
#include "cli/CommandOptions.h"
#include "cli/Commands.h"
#include "cli/JobOutcome.h"
#include "cli/JsonWriter.h"
#include "sice/SiceFolder.h"

#include <iostream>
#include <optional>

namespace tts::cli {

namespace {

using check::CheckReport;
using check::Finding;

// The file's name (or a folder's path) as stored, the text in our Windows-1252.
std::string findingText(const Finding& f) {
    return textForDisplay(check::findingLine(f));
}

void writeJson(std::ostream& out, const CommandOptions& options, const CheckReport& report,
               int status) {
    JsonWriter json(out);
    json.beginObject();
    json.member("command", "check");
    json.member("siceFolder", textForDisplay(options.siceFolder));
    json.key("workFolder");
    if (options.workFolder.empty())
        json.null();
    else
        json.value(textForDisplay(options.workFolder));
    json.member("outcome", report.folderFound ? "checked" : "missingFolder");
    json.member("exitStatus", status);
    json.key("files");
    json.beginArray();
    for (const check::FileStatus& file : report.files) {
        json.beginObject();
        json.member("name", file.name);
        json.key("foundAs");
        if (file.storedName.empty())
            json.null();
        else
            json.value(textForDisplay(file.storedName));
        json.member("neededBy", windows1252ToUtf8(file.neededBy));
        json.endObject();
    }
    json.endArray();
    json.key("findings");
    json.beginArray();
    for (const Finding& f : report.findings) {
        json.beginObject();
        json.member("file", textForDisplay(f.file));
        json.key("line");
        if (f.line > 0)
            json.value(f.line);
        else
            json.null();
        json.member("text", textForDisplay(f.text));
        json.member("stops", f.stops);
        json.member("note", f.note);
        json.endObject();
    }
    json.endArray();
    json.member("stopping", report.stopping());
    json.member("warnings", report.warnings());
    json.member("notes", report.notes());
    json.key("emptyCodes");
    if (report.workChecked) {
        json.beginObject();
        json.member("groups", report.emptyCodes.groups);
        json.member("tasks", report.emptyCodes.tasks);
        json.member("rooms", report.emptyCodes.rooms);
        json.endObject();
    } else {
        json.null();
    }
    json.endObject();
    json.finish();
}

void writeText(std::ostream& out, const CheckReport& report) {
    for (const Finding& f : report.findings)
        if (!f.note)
            out << findingText(f) << "\n";
    int64_t found = 0;
    for (const check::FileStatus& file : report.files)
        found += file.storedName.empty() ? 0 : 1;
    const int64_t stopping = report.stopping();
    const int64_t warnings = report.warnings();
    out << "Resumen: " << found << " de " << report.files.size() << " archivos SICE; "
        << counted(stopping, "problema que detendr\u00EDa un trabajo o perder\u00EDa l\u00EDneas",
                   "problemas que detendr\u00EDan un trabajo o perder\u00EDan l\u00EDneas")
        << "; " << counted(warnings, "aviso", "avisos") << "; "
        << counted(report.notes(), "nota", "notas") << ".\n";
    if (report.workChecked)
        out << "SOLUC.DBF sin c\u00F3digo (no se buscan): "
            << counted(report.emptyCodes.groups, "fila", "filas") << " sin grupo, "
            << counted(report.emptyCodes.tasks, "fila", "filas") << " sin tarea, "
            << counted(report.emptyCodes.rooms, "fila", "filas") << " sin aula.\n";
    for (const Finding& f : report.findings)
        if (f.note)
            out << "nota: " << findingText(f) << "\n";
}

} // namespace

// check --sice DIR [--work DIR] [--json]: reads the folder (and the work tables, read-only) and
// writes nothing. Exit 0 when nothing would stop a job or lose lines, 1 when something would.
int runCheckCommand(const std::vector<std::string>& args) {
    std::string problem;
    const std::optional<CommandOptions> options = parseCommandOptions(args, problem);
    if (!options)
        return usageError(std::cerr, "check", problem);

    CheckReport report;
    try {
        report = check::checkFolder(folderForRun(options->siceFolder), options->workFolder);
    } catch (const std::exception& failure) {
        // Whatever the check did not foresee ends it as the jobs end: one line, exit 2.
        std::cerr << textForDisplay(withFullStop(failure.what())) << std::endl;
        return ExitError;
    }
    const int status = report.folderFound && report.stopping() == 0 ? ExitOk : ExitNotDone;
    if (!report.folderFound) {
        // As the jobs say it: a path the system cannot take is no missing folder.
        std::cerr << textForDisplay(sice::missingFolderNotice(options->siceFolder)) << "\n"
                  << textForDisplay(folderLine(options->siceFolder)) << std::endl;
    }
    if (options->json)
        writeJson(std::cout, *options, report, status);
    else if (report.folderFound)
        writeText(std::cout, report);
    return status;
}

} // namespace tts::cli
