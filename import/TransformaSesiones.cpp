#include "import/ImportSteps.h"
#include "import/SlotMinutes.h"
#include "import/StartTimeRanking.h"
#include "tables/WorkTable.h"

#include "base/LocatedError.h"
#include "base/Numbers.h"
#include "sice/Field.h"
#include "sice/FileFinder.h"
#include "sice/LineKind.h"
#include "sice/WholeFileReader.h"

namespace tts::import {

using tables::Column;
using tables::WorkTable;

// The week's time slots into DIASHORAST: one row per slot, then, once the whole file is read,
// HORA numbers the distinct start times of all days together and DIHO is DIA followed by HORA.
void TransformaSesiones(ImportContext& context) {
    const sice::FoundFile file = sice::findFile(context.carpetaSice, "sice_sesiones.txt");
    if (!file.exists) {
        context.missingRequired("No existe archivo de grupos (SICE_SESIONES.TXT)");
        return;
    }
    StartTimeRanking startTimes;
    const std::vector<std::string> lines = sice::readWholeFile(file.path);

    WorkTable table = WorkTable::createAfresh(
        context.workFolder, "DIASHORAST",
        {Column::text("DIHO", 10), Column::text("CODDIHO", 10), Column::text("DIA", 20),
         Column::text("TEXTODIA", 20), Column::text("HORA", 8), Column::text("HORADESDE", 8),
         Column::text("HORAHASTA", 8), Column::text("MINUTOS", 8)});
    TableReport report{"DIASHORAST"};

    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (!sice::isDataLine(line, "SICE_SESIONES.TXT"))
            continue;
        const std::string slotCode = sice::field(line, 5, 8);
        const std::string day = sice::field(line, 9, 9);
        const std::string start = sice::field(line, 10, 13);
        const std::string end = sice::field(line, 14, 17);
        startTimes.add(start);
        // The end time first: when both are wrong, the message names the end time.
        const auto lineNumber = static_cast<int64_t>(i + 1);
        const int32_t endTime = readAt({file.path, lineNumber, columnsPlace(14, 17)},
                                       [&] { return toInteger(end); });
        const int32_t startTime = readAt({file.path, lineNumber, columnsPlace(10, 13)},
                                         [&] { return toInteger(start); });

        table.append();
        table.writeText("DIA", day);
        table.writeText("HORA", start); // until the slot numbers are known
        table.writeText("CODDIHO", slotCode);
        table.writeText("HORADESDE", start);
        table.writeText("HORAHASTA", end);
        table.writeText("MINUTOS", std::to_string(slotMinutes(startTime, endTime)));
        table.post();
        ++report.rowsWritten;
    }

    for (table.first(); !table.atEnd(); table.next()) {
        const std::string slot = std::to_string(startTimes.slotNumber(table.readText("HORADESDE")));
        table.edit();
        table.writeText("HORA", slot);
        table.writeText("DIHO", table.readText("DIA") + slot);
        table.post();
    }

    table.close();
    report.rebuilt = true;
    context.recordTable(report);
}

} // namespace tts::import
