#include "export/SolucRows.h"

#include "export/FallbackTally.h"
#include "export/SolucDay.h"

namespace tts::exporting {

namespace {

// Whether the row's line may be written: each value as the line will hold it, looked at for
// control bytes.
bool controlBytesAllow(const std::string& solucPath, int64_t rowNumber, const SolucRow& row,
                       const Translations& found, RowSink& sink) {
    const struct {
        std::string_view value;
        const char* place;
    } written[] = {
        {found.slot.value_or(std::string_view()), "campo HORA (su c\xF3"
                                                  "digo de tramo)"},
        {row.teacher, "campo PROF"},
        {found.group ? *found.group : shortCodeFallback(row.group),
         found.group ? "campo CODGRUPO (su traducci\xF3n)" : "campo CODGRUPO"},
        {found.task.value_or(std::string_view(kLectureTask)), "campo TAREA (su traducci\xF3n)"},
        {row.subject, "campo ASIG"},
        {found.room ? *found.room : shortCodeFallback(row.room),
         found.room ? "campo AULA (su traducci\xF3n)" : "campo AULA"},
    };
    for (const auto& value : written) {
        if (!hasControlByte(value.value))
            continue;
        const char byte = worstControlByte(value.value);
        ValueLocation where{solucPath, rowNumber, value.place};
        if (breaksTheFile(byte)) {
            sink.badRow(LocatedError("El valor lleva " + controlByteName(byte) +
                                         ", que no puede ir en una l\xEDnea de SICE_HORARIO.TXT",
                                     std::move(where)));
            return false;
        }
        sink.controlByte(where, byte);
    }
    return true;
}

} // namespace

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
            day = readAt({soluc.path(), rowNumber, "campo DIA"},
                         [&] { return solucDayNumber(soluc, row.day); });
        } catch (const LocatedError& error) {
            sink.badRow(error);
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
        if (controlBytesAllow(soluc.path(), rowNumber, row, found, sink))
            sink.row(rowNumber, row, found);
    }
}

} // namespace tts::exporting
