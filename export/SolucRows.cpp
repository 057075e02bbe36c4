#include "export/SolucRows.h"

#include "export/FallbackTally.h"
#include "export/SolucDay.h"

namespace tts::exporting {

void exportRows(ExportTables& tables, DayCoding coding, ExportReport& report, RowSink& sink) {
    tables::WorkTable& soluc = tables.soluc();
    const tables::ColumnHandle dia = soluc.column("DIA"), hora = soluc.column("HORA"),
                               codGrupo = soluc.column("CODGRUPO"), tarea = soluc.column("TAREA"),
                               aula = soluc.column("AULA"), prof = soluc.column("PROF"),
                               asig = soluc.column("ASIG");
    FallbackTally groupFallbacks(report.groups), taskFallbacks(report.tasks),
        roomFallbacks(report.rooms), slotFallbacks(report.slots);
    // Kept from row to row, so that a row costs no allocation.
    SolucRow row;
    Translations found;
    std::string siceDay;
    int64_t rowNumber = 0;
    for (soluc.first(); !soluc.atEnd(); soluc.next()) {
        if (++rowNumber % 256 == 0)
            sink.keepAlive();
        soluc.readText(dia, row.day);
        int32_t day = 0;
        try {
            day = locateErrors({soluc.path(), rowNumber, "campo DIA"},
                               [&] { return solucDayNumber(soluc, row.day); });
        } catch (const LocatedError& error) {
            sink.badDay(error);
            continue;
        }
        if (day == 0)
            continue;
        row.day = solucDayText(row.day, day);
        soluc.readText(hora, row.period);
        siceDay = siceDayCode(coding, row.day);

        found.slot = tables.slotCode(siceDay, row.period);
        if (!found.slot)
            slotFallbacks.add(siceDay + "/" + row.period, rowNumber);
        soluc.readText(codGrupo, row.group);
        found.group = tables.shortGroup(row.group);
        if (!found.group)
            groupFallbacks.add(row.group, rowNumber);
        soluc.readText(tarea, row.task);
        found.task = tables.taskCode(row.task);
        if (!found.task)
            taskFallbacks.add(row.task, rowNumber);
        soluc.readText(aula, row.room);
        found.room = tables.shortRoom(row.room);
        if (!found.room)
            roomFallbacks.add(row.room, rowNumber);
        soluc.readText(prof, row.teacher);
        soluc.readText(asig, row.subject);
        sink.row(rowNumber, row, found);
    }
}

} // namespace tts::exporting
