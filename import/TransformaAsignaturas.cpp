#include "import/ImportStep.h"
#include "import/ImportSteps.h"
#include "import/TakenCodes.h"

namespace tts::import {

using tables::WorkTable;

// Subjects, then activities, into ASIGNOMT. Both files share one code list, so a code keeps only
// its first line.
void TransformaAsignaturas(ImportContext& context) {
    using layout::Activities;
    using layout::Subjects;
    const StepDefinition step{Subjects::file, "No existe archivo de asignaturas (SICE_ASIGNAT.TXT)",
                              Subjects::reading, schema::Subjects::table};
    TakenCodes codes;
    tables::ColumnHandle cod, codLargo, nombre, esTarea, codTarea;

    const auto subjects = [&](StepTarget& target) -> LineRule {
        WorkTable& table = target.table;
        TableReport& report = target.report;
        cod = table.column(schema::Subjects::cod);
        codLargo = table.column(schema::Subjects::codLargo);
        nombre = table.column(schema::Subjects::nombre);
        esTarea = table.column(schema::Subjects::esTarea);
        codTarea = table.column(schema::Subjects::codTarea);
        return [&](std::string_view line, int64_t) {
            if (!Subjects::isData(line))
                return false;
            const std::string_view code = Subjects::code.in(line);
            if (!codes.takeNew(code, report, Subjects::file))
                return false;
            table.append();
            table.writeText(cod, code);
            table.writeText(codLargo, Subjects::longCode.in(line));
            table.writeText(nombre, Subjects::name.in(line));
            table.writeBoolean(esTarea, false);
            table.post();
            return true;
        };
    };

    const auto activities = [&](StepTarget& target) {
        WorkTable& table = target.table;
        TableReport& report = target.report;
        const auto activity = [&](std::string_view line, int64_t) {
            if (!Activities::isData(line))
                return false;
            const std::string code = Activities::codeOf(line);
            if (!codes.takeNew(code, report, Activities::file))
                return false;
            table.append();
            table.writeText(cod, code);
            table.writeText(codLargo, Activities::longCode.in(line));
            table.writeText(nombre, Activities::name.in(line));
            table.writeBoolean(esTarea, true);
            table.writeText(codTarea, Activities::task.in(line));
            table.post();
            return true;
        };
        addOptionalFile(context, Activities::file, activity, report);
    };

    runStep(context, step, subjects, activities);
}

} // namespace tts::import
