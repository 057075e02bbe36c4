// SICE files that are there but cannot be read, and folders where files should be: the user
// reads what went wrong, and no table or SICE file is lost or left half-made.
#include "HardeningSupport.h"
#include "TableStates.h"

#include "export/TimetableExport.h"
#include "import/ImportRun.h"
#include "base/platform/FaultInjection.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <ostream>
#include <functional>

namespace tts::hardening {
namespace {

// Every read of the file fails with an input/output error, as on a failing disk; only in the
// child that runs the job, and the file is whole and plain, so only the read itself fails.
std::string failingReadsOf(const std::string& path, const std::function<std::string()>& job) {
    platform::failReadsOf(path);
    return job();
}

void replaceByFolder(const std::string& path) {
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
}

struct ImportCase {
    const char* name;
    const char* file;
    enum { Denied, DiskError, Folder, BrokenLink, LoopingLink } fault;
    const char* outcome; // "error: <message>" or the finished run's result and notices
    const char* tables;  // per table in step order: N new, O old as before the run
};
void PrintTo(const ImportCase& c, std::ostream* out) {
    *out << c.name;
}

class ImportWithBrokenSiceFile : public ::testing::TestWithParam<ImportCase> {};

TEST_P(ImportWithBrokenSiceFile, TellsTheUserAndKeepsEveryTableWholeOldOrNew) {
    const ImportCase& c = GetParam();
    TestFolder sice("sice"), work("work");
    TableStates states;
    states.prepare(sice, work);
    const std::string path = sice.file(c.file);
    ChildUser user = ChildUser::Same;
    std::string failing;
    switch (c.fault) {
    case ImportCase::Denied:
        openEverythingToAll(sice);
        openEverythingToAll(work);
        ::chmod(path.c_str(), 0);
        user = ChildUser::Nobody;
        break;
    case ImportCase::DiskError:
        failing = path;
        break;
    case ImportCase::Folder:
        replaceByFolder(path);
        break;
    case ImportCase::BrokenLink:
        std::filesystem::remove(path);
        std::filesystem::create_symlink(sice.file("gone.txt"), path);
        break;
    case ImportCase::LoopingLink:
        std::filesystem::remove(path);
        std::filesystem::create_symlink(path, path);
        break;
    }
    const FolderSnapshot siceBefore = snapshotOf(sice.path());

    ChildOutcome child = runInChild(
        [&] {
            return failingReadsOf(failing, [&] {
                return outcomeOf([&](test::RecordingRunHost& host) {
                    import::runImport(host, sice.path(), work.path());
                });
            });
        },
        user);

    ASSERT_TRUE(child.exitedNormally) << child.report;
    EXPECT_EQ(child.exitCode, 0) << child.report;
    EXPECT_EQ(child.report, withMarks(c.outcome, {{"<sice>", sice.path()}}));
    EXPECT_EQ(states.describe(work), c.tables);
    EXPECT_EQ(snapshotOf(sice.path()), siceBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ImportWithBrokenSiceFile,
    ::testing::Values(
        ImportCase{"SubjectsDenied", "sice_asignat.txt", ImportCase::Denied,
                   "error: Acceso al archivo denegado.\nArchivo: <sice>/sice_asignat.txt\nMotivo: "
                   "acceso denegado",
                   "OOOOOO"},
        ImportCase{"ActivitiesDenied", "SICE_ACTIVIDADES.TXT", ImportCase::Denied,
                   "error: Acceso al archivo denegado.\nArchivo: <sice>/SICE_ACTIVIDADES.TXT\n"
                   "Motivo: acceso denegado",
                   "OOOOOO"},
        ImportCase{"GroupsDenied", "sice_grupo.txt", ImportCase::Denied,
                   "error: Acceso al archivo denegado.\nArchivo: <sice>/sice_grupo.txt\nMotivo: "
                   "acceso denegado",
                   "NNNOOO"},
        ImportCase{"TeachersDiskError", "sice_prof.txt", ImportCase::DiskError,
                   "error: Error de E/S 30.\nArchivo: <sice>/sice_prof.txt\nMotivo: error de "
                   "entrada/salida del disco",
                   "NOOOOO"},
        ImportCase{"SessionsDiskError", "sice_sesiones.txt", ImportCase::DiskError,
                   "error: Cannot open file \"<sice>/sice_sesiones.txt\". Error de entrada/salida "
                   "del disco",
                   "NNNNNO"},
        ImportCase{"CourseHoursDenied", "sice_asignatcurso.txt", ImportCase::Denied,
                   "error: Cannot open file \"<sice>/sice_asignatcurso.txt\". Acceso denegado",
                   "NNNNOO"},
        // A link named like the file is the file: opening it says why it cannot be read.
        ImportCase{"TeachersAreABrokenLink", "sice_prof.txt", ImportCase::BrokenLink,
                   "error: No se encuentra el archivo.\nArchivo: <sice>/sice_prof.txt\nMotivo: es "
                   "un enlace roto: lo que nombra no existe",
                   "NOOOOO"},
        ImportCase{"GroupsAreALoopingLink", "sice_grupo.txt", ImportCase::LoopingLink,
                   "error: Nombre de archivo inv\xE1lido.\nArchivo: <sice>/sice_grupo.txt\nMotivo: "
                   "es un enlace que vuelve sobre s\xED mismo (enlaces en bucle)",
                   "NNNOOO"},
        ImportCase{"SessionsAreABrokenLink", "sice_sesiones.txt", ImportCase::BrokenLink,
                   "error: Cannot open file \"<sice>/sice_sesiones.txt\". Es un enlace roto: lo "
                   "que nombra no existe",
                   "NNNNNO"},
        ImportCase{"RoomsAreAFolder", "sice_aulas.txt", ImportCase::Folder,
                   "finished, result -1 | No existe archivo de aulas (SICE_AULAS.TXT) | Proceso "
                   "finalizado",
                   "NNONNN"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ExportCase {
    const char* name;
    const char* file;
    enum { Denied, DiskError, Folder, FolderNotWritable } fault;
    const char* message;
};
void PrintTo(const ExportCase& c, std::ostream* out) {
    *out << c.name;
}

class ExportWithBrokenSiceFile : public ::testing::TestWithParam<ExportCase> {};

TEST_P(ExportWithBrokenSiceFile, TellsTheUserAndLeavesTheOldTimetableFile) {
    const ExportCase& c = GetParam();
    ImportedSchool school;
    const std::string path = school.sice.file(c.file);
    ChildUser user = ChildUser::Same;
    std::string failing;
    switch (c.fault) {
    case ExportCase::Denied:
        openEverythingToAll(school.sice);
        openEverythingToAll(school.work);
        ::chmod(path.c_str(), 0);
        user = ChildUser::Nobody;
        break;
    case ExportCase::DiskError:
        failing = path;
        break;
    case ExportCase::Folder:
        replaceByFolder(path);
        break;
    case ExportCase::FolderNotWritable:
        openEverythingToAll(school.sice);
        openEverythingToAll(school.work);
        ::chmod(school.sice.path().c_str(), 0555);
        // A file that may be written would be rewritten in place, as Windows does.
        ::chmod(path.c_str(), 0644);
        user = ChildUser::Nobody;
        break;
    }
    school.remember();

    ChildOutcome child = runInChild(
        [&] {
            return failingReadsOf(failing, [&] {
                return outcomeOf([&](test::RecordingRunHost& host) { school.runExport(host); });
            });
        },
        user);
    ::chmod(school.sice.path().c_str(), 0700);

    ASSERT_TRUE(child.exitedNormally) << child.report;
    EXPECT_EQ(child.report, "error: " + withMarks(c.message, {{"<sice>", school.sice.path()}}));
    EXPECT_EQ(snapshotOf(school.sice.path()), school.siceBefore);
    EXPECT_EQ(snapshotOf(school.work.path()), school.workBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ExportWithBrokenSiceFile,
    ::testing::Values(
        ExportCase{"SubjectsDenied", "sice_asignat.txt", ExportCase::Denied,
                   "Cannot open file \"<sice>/sice_asignat.txt\". Acceso denegado"},
        ExportCase{
            "SessionsDiskError", "sice_sesiones.txt", ExportCase::DiskError,
            "Cannot open file \"<sice>/sice_sesiones.txt\". Error de entrada/salida del disco"},
        ExportCase{"SubjectsAreAFolder", "sice_asignat.txt", ExportCase::Folder,
                   "Cannot open file \"<sice>/sice_asignat.txt\". No es un archivo normal"},
        ExportCase{"TimetableIsAFolder", "SICE_HORARIO.TXT", ExportCase::Folder,
                   "Cannot create file \"<sice>/SICE_HORARIO.TXT\". No es un archivo normal"},
        ExportCase{"FolderNotWritable", "SICE_HORARIO.TXT", ExportCase::FolderNotWritable,
                   "Cannot create file \"<sice>/SICE_HORARIO.TXT\". Acceso denegado"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tts::hardening
