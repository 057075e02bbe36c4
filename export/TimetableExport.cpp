#include "export/TimetableExport.h"

#include "base/BusyPointer.h"
#include "base/LocatedError.h"
#include "base/Numbers.h"
#include "base/WorkFolderJob.h"
#include "export/DayCoding.h"
#include "export/ExportTables.h"
#include "export/FallbackTally.h"
#include "export/HeaderCode.h"
#include "export/SolucDay.h"
#include "export/TimetableLines.h"
#include "sice/Field.h"
#include "sice/FileFinder.h"
#include "sice/FileWriter.h"
#include "sice/SiceFolder.h"
#include "sice/WholeFileReader.h"

#include <algorithm>

namespace tts::exporting {

namespace {

sice::FoundFile findSiceFile(const std::string& carpetaSice, const std::string& name,
                             ExportReport& report) {
    sice::FoundFile file = sice::findFile(carpetaSice, name);
    if (file.exists && !file.leftAside.empty())
        report.filesLeftAside.push_back(sice::leftAsideText(file));
    return file;
}

sice::WholeFile readSiceFile(const std::string& carpetaSice, const std::string& name,
                             ExportReport& report) {
    return sice::WholeFile(findSiceFile(carpetaSice, name, report).path);
}

} // namespace

void runExport(RunHost& host, const std::string& chosenFolder, const std::string& workFolder,
               ExportReport* report) {
    runExport(host, chosenFolder, workFolder, report, platform::localNow);
}

void runExport(RunHost& host, const std::string& chosenFolder, const std::string& workFolder,
               ExportReport* report, const LocalClock& clock) {
    ExportReport unused;
    ExportReport& out = report ? *report : unused;
    out = ExportReport{};

    const std::optional<std::string> folder = sice::carpetaSiceOrNotice(host, chosenFolder, 0);
    if (!folder)
        return;
    const platform::JobLock job = holdWorkFolder(workFolder);
    const std::string& carpetaSice = *folder;
    out.folderFound = true;

    BusyPointer busy(host);
    const std::string headerCode =
        headerCodeFrom(readSiceFile(carpetaSice, "sice_asignat.txt", out).lines());
    const DayCoding coding =
        dayCodingFrom(readSiceFile(carpetaSice, "sice_sesiones.txt", out).lines());

    // The old file stays until the last line is in.
    const std::string target = findSiceFile(carpetaSice, "SICE_HORARIO.TXT", out).path;
    sice::LineFileWriter output(target);
    output.add(timetableHeaderLine(headerCode, timeStamp(clock())));
    int64_t dataLines = 0;

    FallbackTally groupFallbacks(out.groups), taskFallbacks(out.tasks), roomFallbacks(out.rooms),
        slotFallbacks(out.slots);
    {
        ExportTables tables(workFolder);
        tables::WorkTable& soluc = tables.soluc();
        const tables::ColumnHandle dia = soluc.column("DIA"), hora = soluc.column("HORA"),
                                   codGrupo = soluc.column("CODGRUPO"),
                                   tarea = soluc.column("TAREA"), aula = soluc.column("AULA"),
                                   prof = soluc.column("PROF"), asig = soluc.column("ASIG");
        // Kept from row to row, so that a row costs no allocation.
        SolucRow row;
        Translations found;
        std::string siceDay, line;
        int64_t rowNumber = 0;
        for (soluc.first(); !soluc.atEnd(); soluc.next()) {
            if (++rowNumber % 256 == 0)
                host.keepAlive(); // the window repaints now and then; it takes no input
            soluc.readText(dia, row.day);
            const int32_t day = readAt({soluc.path(), rowNumber, "campo DIA"},
                                       [&] { return solucDayNumber(soluc, row.day); });
            if (day == 0)
                continue;
            row.day = solucDayText(row.day, day);
            soluc.readText(hora, row.period);
            siceDay = siceDayCode(coding, row.day);

            found.slot = tables.slotCode(siceDay, row.period);
            if (!found.slot)
                slotFallbacks.add(siceDay + "/" + row.period);
            soluc.readText(codGrupo, row.group);
            found.group = tables.shortGroup(row.group);
            if (!found.group)
                groupFallbacks.add(row.group);
            soluc.readText(tarea, row.task);
            found.task = tables.taskCode(row.task);
            if (!found.task)
                taskFallbacks.add(row.task);
            soluc.readText(aula, row.room);
            found.room = tables.shortRoom(row.room);
            if (!found.room)
                roomFallbacks.add(row.room);
            soluc.readText(prof, row.teacher);
            soluc.readText(asig, row.subject);

            timetableDataLine(coding, row, found, line);
            output.add(line);
            ++dataLines;
        }
        if (out.slots.rows > 0)
            out.dayCodingMismatch = slotDaysDisagree(coding, tables.slotDays());
        tables.close();
    }

    output.add(timetableTrailerLine(headerCode, timeStamp(clock()), dataLines));
    output.commit();
    out.linesWritten = dataLines;
    out.writtenPath = target;
    if (output.inPlace())
        out.inPlaceBecause = platform::reasonInSpanish(output.whyInPlace());

    busy.restore();
    host.setResult(1);
    host.showMessage("Proceso finalizado");
    host.disableJobs();
    out.finished = true;
    if (host.isEmbedded())
        host.closeWindow();
}

} // namespace tts::exporting
