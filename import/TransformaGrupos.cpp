#include "import/ImportStep.h"
#include "import/ImportSteps.h"

namespace tts::import {

using tables::Column;
using tables::WorkTable;

// Groups into GRUPOST, one row per data line. GRUPO is the unit code's last character and
// DESCRIP is composed of every part, empty ones included.
void TransformaGrupos(ImportContext& context) {
    using layout::Groups;
    const StepDefinition step{Groups::file,
                              "No existe archivo de grupos (SICE_GRUPO.TXT)",
                              Groups::reading,
                              Groups::table,
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
            if (!Groups::isData(line))
                return false;
            const std::string unit = Groups::unit.textIn(line);
            const std::string shortCode = Groups::shortCode.textIn(line);
            const std::string shift = Groups::shift.textIn(line);
            const std::string level = Groups::levelOf(line);
            const std::string course = Groups::course.textIn(line);
            const std::string group = unit.empty() ? std::string() : unit.substr(unit.size() - 1);

            table.append();
            table.writeText(abrev, unit);
            table.writeText(turno, shift);
            table.writeText(nivel, level);
            table.writeText(curso, course);
            table.writeText(grupo, group);
            table.writeText(unidad, unit);
            table.writeText(descrip, "(" + Groups::description.textIn(line) + ") " + shift + " " +
                                         level + " " + course + " " + group);
            table.writeText(abrevCorta, shortCode);
            table.post();
            return true;
        };
    });
}

} // namespace tts::import
