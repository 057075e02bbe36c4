#include "import/ImportStep.h"
#include "import/ImportSteps.h"

namespace tts::import {

using tables::WorkTable;

// Rooms into AULAT. No code list here.
void TransformaAulas(ImportContext& context) {
    using layout::Rooms;
    const StepDefinition step{Rooms::file, "No existe archivo de aulas (SICE_AULAS.TXT)",
                              Rooms::reading, schema::Rooms::table};
    runStep(context, step, [](StepTarget& target) -> LineRule {
        WorkTable& table = target.table;
        return
            [&table, abrev = table.column(schema::Rooms::abrev),
             nombre = table.column(schema::Rooms::nombre),
             abrevCorta = table.column(schema::Rooms::abrevCorta)](std::string_view line, int64_t) {
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
