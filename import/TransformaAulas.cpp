#include "import/ImportStep.h"
#include "import/ImportSteps.h"

#include "sice/Field.h"
#include "sice/LineKind.h"

namespace tts::import {

using tables::Column;
using tables::WorkTable;

// Rooms into AULAT. No code list here: every data line is a room, repeated codes included.
void TransformaAulas(ImportContext& context) {
    const StepDefinition step{"sice_aulas.txt",
                              "No existe archivo de aulas (SICE_AULAS.TXT)",
                              FileReading::LineByLine,
                              "AULAT",
                              {Column::text("ABREV", 10), Column::text("NOMBRE", 80),
                               Column::text("EDIFICIO", 1), Column::integer("MAXALUM"),
                               Column::text("ABREVCORTA", 4)}};
    runStep(context, step, [](StepTarget& target) -> LineRule {
        WorkTable& table = target.table;
        return [&table, abrev = table.column("ABREV"), nombre = table.column("NOMBRE"),
                abrevCorta = table.column("ABREVCORTA")](std::string_view line, int64_t) {
            if (!sice::isDataLine(line, "SICE_AULAS.TXT"))
                return false;
            table.append();
            table.writeText(abrev, sice::fieldView(line, 2, 11));
            table.writeText(nombre, sice::fieldView(line, 86, 185));
            table.writeText(abrevCorta, sice::fieldView(line, 12, 15));
            table.post();
            return true;
        };
    });
}

} // namespace tts::import
