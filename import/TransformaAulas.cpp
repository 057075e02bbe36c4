#include "import/ImportStep.h"
#include "import/ImportSteps.h"

namespace tts::import {

using tables::Column;
using tables::WorkTable;

// Rooms into AULAT. No code list here.
void TransformaAulas(ImportContext& context) {
    using layout::Rooms;
    const StepDefinition step{Rooms::file,
                              "No existe archivo de aulas (SICE_AULAS.TXT)",
                              Rooms::reading,
                              Rooms::table,
                              {Column::text("ABREV", 10), Column::text("NOMBRE", 80),
                               Column::text("EDIFICIO", 1), Column::integer("MAXALUM"),
                               Column::text("ABREVCORTA", 4)}};
    runStep(context, step, [](StepTarget& target) -> LineRule {
        WorkTable& table = target.table;
        return [&table, abrev = table.column("ABREV"), nombre = table.column("NOMBRE"),
                abrevCorta = table.column("ABREVCORTA")](std::string_view line, int64_t) {
            if (!Rooms::isData(line))
                return false;
            table.append();
            table.writeText(abrev, Rooms::code.in(line));
            table.writeText(nombre, Rooms::name.in(line));
            table.writeText(abrevCorta, Rooms::shortCode.in(line));
            table.post();
            return true;
        };
    });
}

} // namespace tts::import
