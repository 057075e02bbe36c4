#include "import/ImportStep.h"
#include "import/ImportSteps.h"
#include "import/RepeatedCode.h"

#include "sice/CodeList.h"
#include "sice/Field.h"
#include "sice/LineKind.h"

namespace tts::import {

using tables::Column;
using tables::WorkTable;

// Teachers into PROFT, one row per code: the first line of a code wins.
void TransformaProfesores(ImportContext& context) {
    const StepDefinition step{"sice_prof.txt",
                              "No existe archivo de profesores (SICE_PROF.TXT)",
                              FileReading::LineByLine,
                              "PROFT",
                              {Column::text("ABREV", 10), Column::text("NOMBRE", 80),
                               Column::text("DEPART", 40), Column::integer("DNI")}};
    sice::CodeList codes;
    runStep(context, step, [&codes](StepTarget& target) -> LineRule {
        WorkTable& table = target.table;
        TableReport& report = target.report;
        return [&, abrev = table.column("ABREV"), nombre = table.column("NOMBRE"),
                depart = table.column("DEPART")](std::string_view line, int64_t) {
            if (!sice::isDataLine(line, "SICE_PROF.TXT"))
                return false;
            const std::string_view code = sice::fieldView(line, 2, 5);
            if (!takeNewCode(codes, code, report))
                return false;
            table.append();
            table.writeText(abrev, code);
            table.writeText(nombre, sice::fieldView(line, 6, 95));
            table.writeText(depart, sice::fieldView(line, 96, 145));
            table.post();
            return true;
        };
    });
}

} // namespace tts::import
