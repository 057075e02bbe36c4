#include "import/ImportStep.h"
#include "import/ImportSteps.h"

namespace tts::import {

using tables::WorkTable;

// Groups into GRUPOST, one row per data line. GRUPO is the unit code's last character and
// DESCRIP is composed of every part, empty ones included.
void TransformaGrupos(ImportContext& context) {
    using layout::Groups;
    const StepDefinition step{Groups::file, "No existe archivo de grupos (SICE_GRUPO.TXT)",
                              Groups::reading, schema::Groups::table};
    std::string description; // kept from line to line
    runStep(context, step, [&description](StepTarget& target) -> LineRule {
        WorkTable& table = target.table;
        using Table = schema::Groups;
        return [&table, &description, abrev = table.column(Table::abrev),
                turno = table.column(Table::turno), nivel = table.column(Table::nivel),
                curso = table.column(Table::curso), grupo = table.column(Table::grupo),
                unidad = table.column(Table::unidad), descrip = table.column(Table::descrip),
                abrevCorta = table.column(Table::abrevCorta)](std::string_view line, int64_t) {
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
