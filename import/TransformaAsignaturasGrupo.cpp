#include "import/CourseHoursIndex.h"
#include "import/ImportStep.h"
#include "import/ImportSteps.h"
#include "import/SessionPattern.h"
#include "tables/WorkTable.h"

#include "base/LocatedError.h"
#include "sice/FileFinder.h"
#include "sice/WholeFileReader.h"

#include <algorithm>
#include <utility>

namespace tts::import {

using tables::Column;
using tables::OpenMode;
using tables::WorkTable;

namespace {

// Pass 2: each assignment takes TURNO, NIVEL, CURSO and GRUPO from the first GRUPOST row whose
// ABREV is its group code; without one they stay empty.
void copyGroupData(const std::string& workFolder, WorkTable& assignments) {
    WorkTable groups = WorkTable::open(workFolder, "GRUPOST", OpenMode::ReadOnly);
    const tables::ColumnHandle groupCode = assignments.column("CGRUP"),
                               abrev = groups.column("ABREV");
    std::pair<tables::ColumnHandle, tables::ColumnHandle> copied[] = {
        {groups.column("TURNO"), assignments.column("TURNO")},
        {groups.column("NIVEL"), assignments.column("NIVEL")},
        {groups.column("CURSO"), assignments.column("CURSO")},
        {groups.column("GRUPO"), assignments.column("GRUPO")}};
    std::string code, value;
    for (assignments.first(); !assignments.atEnd(); assignments.next()) {
        assignments.readText(groupCode, code);
        if (!groups.locate(abrev, code))
            continue;
        assignments.edit();
        for (const auto& [from, to] : copied) {
            groups.readText(from, value);
            assignments.writeText(to, value);
        }
        assignments.post();
    }
    groups.close();
}

// Pass 3: HORAS and SESIONES from the first course line of the row's subject, level and course.
void setWeeklyHours(const std::string& coursePath, sice::WholeFileLines courseLines,
                    WorkTable& assignments) {
    const CourseHoursIndex index(courseLines);
    const tables::ColumnHandle casig = assignments.column("CASIG"),
                               nivel = assignments.column("NIVEL"),
                               curso = assignments.column("CURSO"),
                               horas = assignments.column("HORAS"),
                               sesiones = assignments.column("SESIONES");
    std::string subject, level, course;
    for (assignments.first(); !assignments.atEnd(); assignments.next()) {
        assignments.readText(casig, subject);
        assignments.readText(nivel, level);
        assignments.readText(curso, course);
        const CourseHoursIndex::CourseLine* courseLine = index.find(subject, level, course);
        if (!courseLine)
            continue;
        using layout::Courses;
        const ValueLocation where{coursePath, static_cast<int64_t>(courseLine->index + 1),
                                  Courses::hours.columns.place()};
        // Converted before the row goes into editing, so a bad text leaves the row as it was.
        const double hours = readAt(where, [&] { return Courses::readHours(courseLine->hours); });
        assignments.edit();
        readAt(where, [&] { assignments.writeFloat(horas, hours); });
        if (assignments.readFloat(horas) < 1)
            assignments.writeFloat(horas, 1);
        assignments.writeText(sesiones, sessionPattern(assignments.readFloat(horas)));
        assignments.post();
    }
}

// Pass 4: rows that no course line matched get one weekly hour.
void setDefaultHours(WorkTable& assignments) {
    const tables::ColumnHandle horas = assignments.column("HORAS"),
                               sesiones = assignments.column("SESIONES");
    for (assignments.first(); !assignments.atEnd(); assignments.next()) {
        if (assignments.readFloat(horas) != 0)
            continue;
        assignments.edit();
        assignments.writeFloat(horas, 1);
        assignments.writeText(sesiones, "1");
        assignments.post();
    }
}

} // namespace

// Subject-group assignments into ASIGT in four passes: the assignments, their group's data from
// GRUPOST, the weekly hours from the course file, one hour for the rows that got none.
void TransformaAsignaturasGrupo(ImportContext& context) {
    using layout::Assignments;
    const StepDefinition step{
        Assignments::file,
        "No existe archivo de grupos (SICE_ASIGNATGRUPO.TXT)",
        Assignments::reading,
        "ASIGT",
        {Column::text("CASIG", 10), Column::text("CPROF", 10), Column::text("CGRUP", 10),
         Column::text("CAULA", 10), Column::text("CTAREA", 10), Column::text("TURNO", 1),
         Column::text("NIVEL", 5), Column::text("CURSO", 3), Column::text("GRUPO", 2),
         Column::floating("HORAS"), Column::text("SESIONES", 20), Column::text("NCONEX", 4)}};

    const auto assignments = [](StepTarget& target) -> LineRule {
        WorkTable& table = target.table;
        return [&table, casig = table.column("CASIG"), cgrup = table.column("CGRUP"),
                ctarea = table.column("CTAREA")](std::string_view line, int64_t) {
            if (!Assignments::isData(line))
                return false;
            table.append();
            table.writeText(casig, Assignments::subject.in(line));
            table.writeText(cgrup, Assignments::group.in(line));
            table.writeText(ctarea, "*LEC");
            table.post();
            return true;
        };
    };

    const auto furtherPasses = [&context](StepTarget& target) {
        WorkTable& table = target.table;
        copyGroupData(context.workFolder, table);
        const sice::FoundFile courses = context.findFile(layout::Courses::file);
        if (!courses.exists) {
            context.host.showMessage("No existe archivo de grupos (SICE_ASIGNATCURSO.TXT)");
            return;
        }
        sice::WholeFile::load(courses.path, context.fileBytes);
        setWeeklyHours(courses.path, sice::WholeFileLines(context.fileBytes), table);
        setDefaultHours(table);
    };

    runStep(context, step, assignments, furtherPasses);
}

} // namespace tts::import
