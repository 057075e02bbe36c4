#include "import/ImportStep.h"
#include "import/ImportSteps.h"
#include "import/SlotMinutes.h"
#include "import/StartTimeRanking.h"
#include "tables/WorkTable.h"

#include "base/LocatedError.h"
#include "base/Numbers.h"
#include "sice/Field.h"
#include "sice/LineKind.h"

namespace tts::import {

using tables::Column;
using tables::WorkTable;

// The week's time slots into DIASHORAST: one row per slot, then, once the whole file is read,
// HORA numbers the distinct start times of all days together and DIHO is DIA followed by HORA.
void TransformaSesiones(ImportContext& context) {
    const StepDefinition step{"sice_sesiones.txt",
                              "No existe archivo de grupos (SICE_SESIONES.TXT)",
                              FileReading::Whole,
                              "DIASHORAST",
                              {Column::text("DIHO", 10), Column::text("CODDIHO", 10),
                               Column::text("DIA", 20), Column::text("TEXTODIA", 20),
                               Column::text("HORA", 8), Column::text("HORADESDE", 8),
                               Column::text("HORAHASTA", 8), Column::text("MINUTOS", 8)}};
    StartTimeRanking startTimes;

    const auto slots = [&](StepTarget& target) -> LineRule {
        WorkTable& table = target.table;
        const std::string& path = target.filePath;
        return [&, dia = table.column("DIA"), hora = table.column("HORA"),
                codDiho = table.column("CODDIHO"), horaDesde = table.column("HORADESDE"),
                horaHasta = table.column("HORAHASTA"),
                minutos = table.column("MINUTOS")](std::string_view line, int64_t lineNumber) {
            if (!sice::isDataLine(line, "SICE_SESIONES.TXT"))
                return false;
            const std::string slotCode = sice::field(line, 5, 8);
            const std::string day = sice::field(line, 9, 9);
            const std::string start = sice::field(line, 10, 13);
            const std::string end = sice::field(line, 14, 17);
            startTimes.add(start);
            // The end time first: when both are wrong, the message names the end time.
            const int32_t endTime =
                readAt({path, lineNumber, columnsPlace(14, 17)}, [&] { return toInteger(end); });
            const int32_t startTime =
                readAt({path, lineNumber, columnsPlace(10, 13)}, [&] { return toInteger(start); });

            table.append();
            table.writeText(dia, day);
            table.writeText(hora, start); // until the slot numbers are known
            table.writeText(codDiho, slotCode);
            table.writeText(horaDesde, start);
            table.writeText(horaHasta, end);
            table.writeText(minutos, std::to_string(slotMinutes(startTime, endTime)));
            table.post();
            return true;
        };
    };

    const auto slotNumbers = [&](StepTarget& target) {
        WorkTable& table = target.table;
        const tables::ColumnHandle dia = table.column("DIA"), hora = table.column("HORA"),
                                   horaDesde = table.column("HORADESDE"),
                                   diho = table.column("DIHO");
        for (table.first(); !table.atEnd(); table.next()) {
            const std::string slot =
                std::to_string(startTimes.slotNumber(table.readText(horaDesde)));
            table.edit();
            table.writeText(hora, slot);
            table.writeText(diho, table.readText(dia) + slot);
            table.post();
        }
    };

    runStep(context, step, slots, slotNumbers);
}

} // namespace tts::import
