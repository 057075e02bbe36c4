#include "export/TimetableExport.h"

#include "base/LocatedError.h"
#include "base/Numbers.h"
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

// The hourglass from the start of the work to its end, also when an error stops it halfway:
// a stopped export must not leave the user looking at a busy pointer.
class BusyPointer {
public:
    explicit BusyPointer(RunHost& host) : host_(host) { host_.setBusy(true); }
    ~BusyPointer() { restore(); }
    void restore() {
        if (busy_) {
            busy_ = false;
            host_.setBusy(false);
        }
    }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    RunHost& host_;
    bool busy_ = true;
};

std::vector<std::string> readSiceFile(const std::string& carpetaSice, const std::string& name) {
    return sice::readWholeFile(sice::findFile(carpetaSice, name).path);
}

} // namespace

void runExport(RunHost& host, const std::string& chosenFolder, const std::string& workFolder,
               ExportReport* report) {
    runExport(host, chosenFolder, workFolder, report, systemLocalTime);
}

void runExport(RunHost& host, const std::string& chosenFolder, const std::string& workFolder,
               ExportReport* report, const LocalClock& clock) {
    ExportReport unused;
    ExportReport& out = report ? *report : unused;
    out = ExportReport{};

    const std::optional<std::string> folder = sice::carpetaSiceOrNotice(host, chosenFolder, 0);
    if (!folder)
        return;
    const std::string& carpetaSice = *folder;
    out.folderFound = true;

    BusyPointer busy(host);
    const std::string headerCode = headerCodeFrom(readSiceFile(carpetaSice, "sice_asignat.txt"));
    const DayCoding coding = dayCodingFrom(readSiceFile(carpetaSice, "sice_sesiones.txt"));

    std::vector<std::string> lines;
    lines.push_back(timetableHeaderLine(headerCode, timeStamp(clock())));

    FallbackTally groupFallbacks(out.groups), taskFallbacks(out.tasks), roomFallbacks(out.rooms),
        slotFallbacks(out.slots);
    {
        ExportTables tables(workFolder);
        tables::WorkTable& soluc = tables.soluc();
        int64_t rowNumber = 0;
        for (soluc.first(); !soluc.atEnd(); soluc.next()) {
            ++rowNumber;
            SolucRow row;
            row.day = soluc.readText("DIA");
            const int32_t day = readAt({soluc.path(), rowNumber, "campo DIA"},
                                       [&] { return solucDayNumber(soluc, row.day); });
            if (day == 0)
                continue;
            row.day = solucDayText(row.day, day);
            row.period = soluc.readText("HORA");
            const std::string siceDay = siceDayCode(coding, row.day);

            Translations found;
            found.slot = tables.slotCode(siceDay, row.period);
            if (!found.slot)
                slotFallbacks.add(siceDay + "/" + row.period);
            row.group = soluc.readText("CODGRUPO");
            found.group = tables.shortGroup(row.group);
            if (!found.group)
                groupFallbacks.add(row.group);
            row.task = soluc.readText("TAREA");
            found.task = tables.taskCode(row.task);
            if (!found.task)
                taskFallbacks.add(row.task);
            row.room = soluc.readText("AULA");
            found.room = tables.shortRoom(row.room);
            if (!found.room)
                roomFallbacks.add(row.room);
            row.teacher = soluc.readText("PROF");
            row.subject = soluc.readText("ASIG");

            lines.push_back(timetableDataLine(coding, row, found));
        }
        if (out.slots.rows > 0)
            out.dayCodingMismatch = slotDaysDisagree(coding, tables.slotDays());
        tables.close();
    }

    const auto dataLines = static_cast<int64_t>(lines.size()) - 1;
    lines.push_back(timetableTrailerLine(headerCode, timeStamp(clock()), dataLines));
    const std::string target = sice::findFile(carpetaSice, "SICE_HORARIO.TXT").path;
    sice::writeLines(lines, target);
    out.linesWritten = dataLines;
    out.writtenPath = target;

    busy.restore();
    host.setResult(1);
    host.showMessage("Proceso finalizado");
    host.disableJobs();
    out.finished = true;
    if (host.isEmbedded())
        host.closeWindow();
}

} // namespace tts::exporting
