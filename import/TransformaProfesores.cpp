#include "import/ImportStep.h"
#include "import/ImportSteps.h"
#include "import/TakenCodes.h"

namespace tts::import {

using tables::WorkTable;

// Teachers into PROFT, one row per code: the first line of a code wins.
void TransformaProfesores(ImportContext& context) {
    using layout::Teachers;
    const StepDefinition step{Teachers::file, "No existe archivo de profesores (SICE_PROF.TXT)",
                              Teachers::reading, schema::Teachers::table};
    TakenCodes codes;
    runStep(context, step, [&codes](StepTarget& target) -> LineRule {
        WorkTable& table = target.table;
        TableReport& report = target.report;
        return [&, abrev = table.column(schema::Teachers::abrev),
                nombre = table.column(schema::Teachers::nombre),
                depart = table.column(schema::Teachers::depart)](std::string_view line, int64_t) {
            if (!Teachers::isData(line))
                return false;
            const std::string_view code = Teachers::code.in(line);
            if (!codes.takeNew(code, report, Teachers::file))
                return false;
            table.append();
            table.writeText(abrev, code);
            table.writeText(nombre, Teachers::name.in(line));
            table.writeText(depart, Teachers::department.in(line));
            table.post();
            return true;
        };
    });
}

} // namespace tts::import
