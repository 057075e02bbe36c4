#include "import/ImportStep.h"
#include "import/ImportSteps.h"

#include "sice/Field.h"
#include "sice/LineKind.h"

namespace tts::import {

using tables::Column;
using tables::WorkTable;

namespace {

// The file's name line may carry either spelling; neither is a group.
bool isGroupData(std::string_view line) {
    return sice::isDataLine(line, "SICE_GRUPOS.TXT") && sice::isDataLine(line, "SICE_GRUPO.TXT");
}

} // namespace

// Groups into GRUPOST, one row per data line. GRUPO is the unit code's last character, a group
// without a level gets "NIV", and DESCRIP is composed of every part, empty ones included.
void TransformaGrupos(ImportContext& context) {
    const StepDefinition step{"sice_grupo.txt",
                              "No existe archivo de grupos (SICE_GRUPO.TXT)",
                              FileReading::LineByLine,
                              "GRUPOST",
                              {Column::text("ABREV", 10), Column::text("TURNO", 1),
                               Column::text("NIVEL", 5), Column::text("CURSO", 3),
                               Column::text("GRUPO", 2), Column::text("UNIDAD", 10),
                               Column::text("DESCRIP", 80), Column::text("ABREVCORTA", 4)}};
    runStep(context, step, [](StepTarget& target) -> LineRule {
        WorkTable& table = target.table;
        return [&table, abrev = table.column("ABREV"), turno = table.column("TURNO"),
                nivel = table.column("NIVEL"), curso = table.column("CURSO"),
                grupo = table.column("GRUPO"), unidad = table.column("UNIDAD"),
                descrip = table.column("DESCRIP"),
                abrevCorta = table.column("ABREVCORTA")](std::string_view line, int64_t) {
            if (!isGroupData(line))
                return false;
            const std::string unit = sice::field(line, 2, 11);
            const std::string shortCode = sice::field(line, 12, 15);
            const std::string shift = sice::field(line, 35, 37);
            std::string level = sice::field(line, 16, 18);
            const std::string course = sice::field(line, 22, 24);
            const std::string group = unit.empty() ? std::string() : unit.substr(unit.size() - 1);

            table.append();
            table.writeText(abrev, unit);
            table.writeText(turno, shift);
            if (level.empty())
                level = "NIV";
            table.writeText(nivel, level);
            table.writeText(curso, course);
            table.writeText(grupo, group);
            table.writeText(unidad, unit);
            table.writeText(descrip, "(" + sice::field(line, 25, 34) + ") " + shift + " " + level +
                                         " " + course + " " + group);
            table.writeText(abrevCorta, shortCode);
            table.post();
            return true;
        };
    });
}

} // namespace tts::import
