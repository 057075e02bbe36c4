#include "import/CourseHoursIndex.h"
#include "import/ImportStep.h"
#include "import/ImportSteps.h"
#include "import/SessionPattern.h"
#include "tables/WorkTable.h"

#include "base/LocatedError.h"
#include "base/Numbers.h"
#include "sice/Field.h"
#include "sice/FileFinder.h"
#include "sice/LineKind.h"
#include "sice/WholeFileReader.h"

#include <algorithm>

namespace tts::import {

using tables::Column;
using tables::OpenMode;
using tables::WorkTable;

namespace {

// Pass 2: each assignment takes TURNO, NIVEL, CURSO and GRUPO from the first GRUPOST row whose
// ABREV is its group code; without one they stay empty.
void copyGroupData(const std::string& workFolder, WorkTable& assignments) {
    WorkTable groups = WorkTable::open(workFolder, "GRUPOST", OpenMode::ReadOnly);
    for (assignments.first(); !assignments.atEnd(); assignments.next()) {
        if (!groups.locate("ABREV", assignments.readText("CGRUP")))
            continue;
        assignments.edit();
        for (const char* column : {"TURNO", "NIVEL", "CURSO", "GRUPO"})
            assignments.writeText(column, groups.readText(column));
        assignments.post();
    }
    groups.close();
}

// Pass 3: HORAS and SESIONES from the first course line of the row's subject, level and course.
void setWeeklyHours(const std::string& coursePath, const std::vector<std::string>& courseLines,
                    WorkTable& assignments) {
    const CourseHoursIndex index(courseLines);
    for (assignments.first(); !assignments.atEnd(); assignments.next()) {
        const std::string subject = assignments.readText("CASIG");
        const std::string level = assignments.readText("NIVEL");
        const std::string course = assignments.readText("CURSO");
        std::optional<std::string> text = index.hoursText(subject, level, course);
        if (!text)
            continue;
        const ValueLocation where{
            coursePath, static_cast<int64_t>(*index.lineIndex(subject, level, course) + 1),
            columnsPlace(28, 33)};
        if (text->empty())
            text->assign(1, '1');
        std::replace(text->begin(), text->end(), ',', '.');
        // Converted before the row goes into editing, so a bad text leaves the row as it was.
        // Raised before it is written: a huge negative value must not reach the column at all.
        const double hours = std::max(readAt(where, [&] { return toDecimal(*text); }), 1.0);
        assignments.edit();
        readAt(where, [&] { assignments.writeFloat("HORAS", hours); });
        if (assignments.readFloat("HORAS") < 1)
            assignments.writeFloat("HORAS", 1);
        assignments.writeText("SESIONES", sessionPattern(assignments.readFloat("HORAS")));
        assignments.post();
    }
}

// Pass 4: rows that no course line matched get one weekly hour.
void setDefaultHours(WorkTable& assignments) {
    for (assignments.first(); !assignments.atEnd(); assignments.next()) {
        if (assignments.readFloat("HORAS") != 0)
            continue;
        assignments.edit();
        assignments.writeFloat("HORAS", 1);
        assignments.writeText("SESIONES", "1");
        assignments.post();
    }
}

} // namespace

// Subject-group assignments into ASIGT in four passes: the assignments, their group's data from
// GRUPOST, the weekly hours from the course file, one hour for the rows that got none.
void TransformaAsignaturasGrupo(ImportContext& context) {
    const StepDefinition step{
        "sice_asignatgrupo.txt",
        "No existe archivo de grupos (SICE_ASIGNATGRUPO.TXT)",
        FileReading::LineByLine,
        "ASIGT",
        {Column::text("CASIG", 10), Column::text("CPROF", 10), Column::text("CGRUP", 10),
         Column::text("CAULA", 10), Column::text("CTAREA", 10), Column::text("TURNO", 1),
         Column::text("NIVEL", 5), Column::text("CURSO", 3), Column::text("GRUPO", 2),
         Column::floating("HORAS"), Column::text("SESIONES", 20), Column::text("NCONEX", 4)}};

    const auto assignments = [](StepTarget& target) -> LineRule {
        WorkTable& table = target.table;
        return [&table, casig = table.column("CASIG"), cgrup = table.column("CGRUP"),
                ctarea = table.column("CTAREA")](const std::string& line, int64_t) {
            if (!sice::isDataLine(line, "SICE_ASIGNATGRUPO.TXT"))
                return false;
            table.append();
            table.writeText(casig, sice::field(line, 16, 19));
            table.writeText(cgrup, sice::field(line, 2, 11));
            table.writeText(ctarea, "*LEC");
            table.post();
            return true;
        };
    };

    const auto furtherPasses = [&context](StepTarget& target) {
        WorkTable& table = target.table;
        copyGroupData(context.workFolder, table);
        const sice::FoundFile courses =
            sice::findFile(context.carpetaSice, "sice_asignatcurso.txt");
        if (!courses.exists) {
            context.host.showMessage("No existe archivo de grupos (SICE_ASIGNATCURSO.TXT)");
            return;
        }
        setWeeklyHours(courses.path, sice::readWholeFile(courses.path), table);
        setDefaultHours(table);
    };

    runStep(context, step, assignments, furtherPasses);
}

} // namespace tts::import
