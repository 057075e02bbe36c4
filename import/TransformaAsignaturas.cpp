#include "import/ImportStep.h"
#include "import/ImportSteps.h"
#include "import/RepeatedCode.h"

#include "sice/CodeList.h"
#include "sice/Field.h"
#include "sice/LineKind.h"

namespace tts::import {

using tables::Column;
using tables::WorkTable;

// Subjects, then activities, into ASIGNOMT. Both files share one code list, so a code keeps only
// its first line; an activity's code carries a "*" and so never clashes with a subject's.
void TransformaAsignaturas(ImportContext& context) {
    const StepDefinition step{"sice_asignat.txt",
                              "No existe archivo de asignaturas (SICE_ASIGNAT.TXT)",
                              FileReading::LineByLine,
                              "ASIGNOMT",
                              {Column::text("COD", 10), Column::text("CODLARGO", 10),
                               Column::text("NOMBRE", 80), Column::boolean("ESTAREA"),
                               Column::text("CODTAREA", 10)}};
    sice::CodeList codes;
    tables::ColumnHandle cod, codLargo, nombre, esTarea, codTarea;

    const auto subjects = [&](StepTarget& target) -> LineRule {
        WorkTable& table = target.table;
        TableReport& report = target.report;
        cod = table.column("COD");
        codLargo = table.column("CODLARGO");
        nombre = table.column("NOMBRE");
        esTarea = table.column("ESTAREA");
        codTarea = table.column("CODTAREA");
        return [&](std::string_view line, int64_t) {
            if (!sice::isDataLine(line, "SICE_ASIGNAT.TXT"))
                return false;
            const std::string_view code = sice::fieldView(line, 2, 5);
            if (!takeNewCode(codes, code, report))
                return false;
            table.append();
            table.writeText(cod, code);
            table.writeText(codLargo, sice::fieldView(line, 6, 25));
            table.writeText(nombre, sice::fieldView(line, 26, 175));
            table.writeBoolean(esTarea, false);
            table.post();
            return true;
        };
    };

    const auto activities = [&](StepTarget& target) {
        WorkTable& table = target.table;
        TableReport& report = target.report;
        const auto activity = [&](std::string_view line, int64_t) {
            if (!sice::isDataLine(line, "SICE_ACTIVIDADES.TXT"))
                return false;
            std::string code(1, '*');
            code += sice::field(line, 2, 5);
            if (!takeNewCode(codes, code, report))
                return false;
            table.append();
            table.writeText(cod, code);
            table.writeText(codLargo, sice::fieldView(line, 6, 15));
            table.writeText(nombre, sice::fieldView(line, 6, 65));
            table.writeBoolean(esTarea, true);
            table.writeText(codTarea, sice::fieldView(line, 66, 68));
            table.post();
            return true;
        };
        addOptionalFile(context, "SICE_ACTIVIDADES.TXT", activity, report);
    };

    runStep(context, step, subjects, activities);
}

} // namespace tts::import
