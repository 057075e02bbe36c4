#include "import/ImportSteps.h"
#include "import/RepeatedCode.h"
#include "tables/WorkTable.h"

#include "sice/CodeList.h"
#include "sice/Field.h"
#include "sice/FileFinder.h"
#include "sice/LineKind.h"
#include "sice/LineReader.h"

namespace tts::import {

using tables::Column;
using tables::WorkTable;

// Teachers into PROFT, one row per code: the first line of a code wins.
void TransformaProfesores(ImportContext& context) {
    const sice::FoundFile file = sice::findFile(context.carpetaSice, "sice_prof.txt");
    if (!file.exists) {
        context.missingRequired("No existe archivo de profesores (SICE_PROF.TXT)");
        return;
    }
    sice::LineReader reader(file.path);

    WorkTable table =
        WorkTable::createAfresh(context.workFolder, "PROFT",
                                {Column::text("ABREV", 10), Column::text("NOMBRE", 80),
                                 Column::text("DEPART", 40), Column::integer("DNI")});
    sice::CodeList codes;
    TableReport report{"PROFT"};

    while (!reader.atEnd()) {
        const std::string line = reader.nextLine();
        if (!sice::isDataLine(line, "SICE_PROF.TXT"))
            continue;
        std::string code = sice::field(line, 2, 5);
        if (!takeNewCode(codes, code, report))
            continue;
        table.append();
        table.writeText("ABREV", code);
        table.writeText("NOMBRE", sice::field(line, 6, 95));
        table.writeText("DEPART", sice::field(line, 96, 145));
        table.post();
        ++report.rowsWritten;
    }

    reader.close();
    table.close();
    report.rebuilt = true;
    context.recordTable(report);
}

} // namespace tts::import
