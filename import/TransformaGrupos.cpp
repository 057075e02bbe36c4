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
    std::string description; // kept from line to line
    runStep(context, step, [&description](StepTarget& target) -> LineRule {
        WorkTable& table = target.table;
        return [&table, &description, abrev = table.column("ABREV"), turno = table.column("TURNO"),
                nivel = table.column("NIVEL"), curso = table.column("CURSO"),
                grupo = table.column("GRUPO"), unidad = table.column("UNIDAD"),
                descrip = table.column("DESCRIP"),
                abrevCorta = table.column("ABREVCORTA")](std::string_view line, int64_t) {
            if (!Groups::isData(line))
                return false;
            const std::string_view unit = Groups::unit.in(line);
            const std::string_view shift = Groups::shift.in(line);
            const std::string_view level = Groups::levelOf(line);
            const std::string_view course = Groups::course.in(line);
            const std::string_view group = unit.empty() ? unit : unit.substr(unit.size() - 1);
            description.clear();
            description += '(';
            for (const std::string_view part :
                 {Groups::description.in(line), std::string_view(") "), shift,
                  std::string_view(" "), level, std::string_view(" "), course,
                  std::string_view(" "), group})
                description.append(part);

            table.append();
            table.writeText(abrev, unit);
            table.writeText(turno, shift);
            table.writeText(nivel, level);
            table.writeText(curso, course);
            table.writeText(grupo, group);
            table.writeText(unidad, unit);
            table.writeText(descrip, description);
            table.writeText(abrevCorta, Groups::shortCode.in(line));
            table.post();
            return true;
        };
    });
}

} // namespace tts::import
