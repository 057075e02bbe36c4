#include "import/ImportSteps.h"
#include "tables/WorkTable.h"

#include "sice/Field.h"
#include "sice/FileFinder.h"
#include "sice/LineKind.h"
#include "sice/LineReader.h"

namespace tts::import {

using tables::Column;
using tables::WorkTable;

// Rooms into AULAT. No code list here: every data line is a room, repeated codes included.
void TransformaAulas(ImportContext& context) {
    const sice::FoundFile file = sice::findFile(context.carpetaSice, "sice_aulas.txt");
    if (!file.exists) {
        context.missingRequired("No existe archivo de aulas (SICE_AULAS.TXT)");
        return;
    }
    sice::LineReader reader(file.path);

    WorkTable table = WorkTable::createAfresh(
        context.workFolder, "AULAT",
        {Column::text("ABREV", 10), Column::text("NOMBRE", 80), Column::text("EDIFICIO", 1),
         Column::integer("MAXALUM"), Column::text("ABREVCORTA", 4)});
    TableReport report{"AULAT"};

    while (!reader.atEnd()) {
        const std::string line = reader.nextLine();
        if (!sice::isDataLine(line, "SICE_AULAS.TXT"))
            continue;
        table.append();
        table.writeText("ABREV", sice::field(line, 2, 11));
        table.writeText("NOMBRE", sice::field(line, 86, 185));
        table.writeText("ABREVCORTA", sice::field(line, 12, 15));
        table.post();
        ++report.rowsWritten;
    }

    reader.close();
    table.close();
    report.rebuilt = true;
    context.recordTable(report);
}

} // namespace tts::import
