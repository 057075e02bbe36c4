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

// Subjects, then activities, into ASIGNOMT. Both files share one code list, so a code keeps only
// its first line; an activity's code carries a "*" and so never clashes with a subject's.
void TransformaAsignaturas(ImportContext& context) {
    const sice::FoundFile subjects = sice::findFile(context.carpetaSice, "sice_asignat.txt");
    if (!subjects.exists) {
        context.missingRequired("No existe archivo de asignaturas (SICE_ASIGNAT.TXT)");
        return;
    }
    sice::LineReader subjectReader(subjects.path);

    WorkTable table = WorkTable::createAfresh(
        context.workFolder, "ASIGNOMT",
        {Column::text("COD", 10), Column::text("CODLARGO", 10), Column::text("NOMBRE", 80),
         Column::boolean("ESTAREA"), Column::text("CODTAREA", 10)});
    sice::CodeList codes;
    TableReport report{"ASIGNOMT"};

    while (!subjectReader.atEnd()) {
        const std::string line = subjectReader.nextLine();
        if (!sice::isDataLine(line, "SICE_ASIGNAT.TXT"))
            continue;
        std::string code = sice::field(line, 2, 5);
        if (!takeNewCode(codes, code, report))
            continue;
        table.append();
        table.writeText("COD", code);
        table.writeText("CODLARGO", sice::field(line, 6, 25));
        table.writeText("NOMBRE", sice::field(line, 26, 175));
        table.writeBoolean("ESTAREA", false);
        table.post();
        ++report.rowsWritten;
    }
    subjectReader.close();

    const sice::FoundFile activities = sice::findFile(context.carpetaSice, "SICE_ACTIVIDADES.TXT");
    if (activities.exists) {
        sice::LineReader activityReader(activities.path);
        while (!activityReader.atEnd()) {
            const std::string line = activityReader.nextLine();
            if (!sice::isDataLine(line, "SICE_ACTIVIDADES.TXT"))
                continue;
            std::string code(1, '*');
            code += sice::field(line, 2, 5);
            if (!takeNewCode(codes, code, report))
                continue;
            table.append();
            table.writeText("COD", code);
            table.writeText("CODLARGO", sice::field(line, 6, 15));
            table.writeText("NOMBRE", sice::field(line, 6, 65));
            table.writeBoolean("ESTAREA", true);
            table.writeText("CODTAREA", sice::field(line, 66, 68));
            table.post();
            ++report.rowsWritten;
        }
        activityReader.close();
    }

    table.close();
    report.rebuilt = true;
    context.recordTable(report);
}

} // namespace tts::import
