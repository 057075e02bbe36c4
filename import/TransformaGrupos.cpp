#include "import/ImportSteps.h"
#include "tables/WorkTable.h"

#include "sice/Field.h"
#include "sice/FileFinder.h"
#include "sice/LineKind.h"
#include "sice/LineReader.h"

namespace tts::import {

using tables::Column;
using tables::WorkTable;

namespace {

// The file's name line may carry either spelling; neither is a group.
bool isGroupData(const std::string& line) {
    return sice::isDataLine(line, "SICE_GRUPOS.TXT") && sice::isDataLine(line, "SICE_GRUPO.TXT");
}

} // namespace

// Groups into GRUPOST, one row per data line. GRUPO is the unit code's last character, a group
// without a level gets "NIV", and DESCRIP is composed of every part, empty ones included.
void TransformaGrupos(ImportContext& context) {
    const sice::FoundFile file = sice::findFile(context.carpetaSice, "sice_grupo.txt");
    if (!file.exists) {
        context.missingRequired("No existe archivo de grupos (SICE_GRUPO.TXT)");
        return;
    }
    sice::LineReader reader(file.path);

    WorkTable table = WorkTable::createAfresh(
        context.workFolder, "GRUPOST",
        {Column::text("ABREV", 10), Column::text("TURNO", 1), Column::text("NIVEL", 5),
         Column::text("CURSO", 3), Column::text("GRUPO", 2), Column::text("UNIDAD", 10),
         Column::text("DESCRIP", 80), Column::text("ABREVCORTA", 4)});
    TableReport report{"GRUPOST"};

    while (!reader.atEnd()) {
        const std::string line = reader.nextLine();
        if (!isGroupData(line))
            continue;
        const std::string unit = sice::field(line, 2, 11);
        const std::string shortCode = sice::field(line, 12, 15);
        const std::string shift = sice::field(line, 35, 37);
        std::string level = sice::field(line, 16, 18);
        const std::string course = sice::field(line, 22, 24);
        const std::string group = unit.empty() ? std::string() : unit.substr(unit.size() - 1);

        table.append();
        table.writeText("ABREV", unit);
        table.writeText("TURNO", shift);
        if (level.empty())
            level = "NIV";
        table.writeText("NIVEL", level);
        table.writeText("CURSO", course);
        table.writeText("GRUPO", group);
        table.writeText("UNIDAD", unit);
        table.writeText("DESCRIP", "(" + sice::field(line, 25, 34) + ") " + shift + " " + level +
                                       " " + course + " " + group);
        table.writeText("ABREVCORTA", shortCode);
        table.post();
        ++report.rowsWritten;
    }

    reader.close();
    table.close();
    report.rebuilt = true;
    context.recordTable(report);
}

} // namespace tts::import
