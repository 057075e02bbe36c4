// Each failure of the system is told by its real cause, in Spanish, with the folder or table it
// is about: a read-only disk is no wrong path, a folder closed to the user is no lock file's
// fault, a link to nothing is no missing table, a path too long is no missing folder.
#include "HardeningSupport.h"

#include "export/TimetableExport.h"
#include "import/ImportRun.h"

#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <filesystem>
#include <ostream>

namespace tts::hardening {
namespace {

// The work folder mounted read-only, in a mount namespace of the child's own; false where the
// system does not let the test do that.
bool mountReadOnly(const std::string& folder) {
    return ::unshare(CLONE_NEWNS) == 0 &&
           ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           ::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
           ::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) ==
               0;
}

struct ReasonCase {
    const char* name;
    enum { ReadOnlyDisk, ClosedWorkFolder, SolucBrokenLink, SiceFolderTooLong } condition;
    bool importing;      // else the export
    const char* outcome; // "<work>" and "<sice>" stand for the folders
};
void PrintTo(const ReasonCase& c, std::ostream* out) {
    *out << c.name;
}

class FailureOfTheSystem : public ::testing::TestWithParam<ReasonCase> {};

TEST_P(FailureOfTheSystem, IsToldByItsCauseAndNamesWhatItIsAbout) {
    const ReasonCase& c = GetParam();
    ImportedSchool school;
    ChildUser user = ChildUser::Same;
    std::string siceFolder = school.sice.path();
    switch (c.condition) {
    case ReasonCase::ReadOnlyDisk:
        break;
    case ReasonCase::ClosedWorkFolder:
        openEverythingToAll(school.sice);
        ::chmod(school.work.path().c_str(), 0);
        user = ChildUser::Nobody;
        break;
    case ReasonCase::SolucBrokenLink:
        std::filesystem::remove(school.work.file("SOLUC.DBF"));
        std::filesystem::create_symlink(school.work.file("gone.DBF"),
                                        school.work.file("SOLUC.DBF"));
        break;
    case ReasonCase::SiceFolderTooLong:
        siceFolder = school.sice.file(std::string(300, 'x'));
        break;
    }
    school.remember();

    ChildOutcome child = runInChild(
        [&] {
            if (c.condition == ReasonCase::ReadOnlyDisk && !mountReadOnly(school.work.path()))
                return std::string("no mount");
            return outcomeOf([&](test::RecordingRunHost& host) {
                if (c.importing)
                    import::runImport(host, siceFolder, school.work.path());
                else
                    exporting::runExport(host, siceFolder, school.work.path());
            });
        },
        user);
    ::chmod(school.work.path().c_str(), 0700);
    if (child.report == "no mount")
        GTEST_SKIP() << "no read-only mount here";
    if (child.exitCode == ForkedChild::kNotNobody)
        GTEST_SKIP() << "cannot become an unprivileged user here";
    ASSERT_TRUE(child.exitedNormally) << child.report;
    EXPECT_EQ(child.report, withMarks(c.outcome, {{"<work>", school.work.path()},
                                                  {"<sice>", school.sice.path()}}));
    EXPECT_EQ(snapshotOf(school.work.path()), school.workBefore);
    EXPECT_EQ(snapshotOf(school.sice.path()), school.siceBefore);
}

#define CLOSED                                                                                     \
    "error: No se puede leer la carpeta de trabajo.\nCarpeta: <work>\nMotivo: acceso denegado"

INSTANTIATE_TEST_SUITE_P(
    Causes, FailureOfTheSystem,
    ::testing::Values(
        ReasonCase{"ImportOntoAReadOnlyDisk", ReasonCase::ReadOnlyDisk, true,
                   "error: No se puede crear la tabla.\nTabla: <work>/ASIGNOMT.DBF\nMotivo: el "
                   "disco es de solo lectura"},
        ReasonCase{"ImportIntoAClosedWorkFolder", ReasonCase::ClosedWorkFolder, true, CLOSED},
        ReasonCase{"ExportFromAClosedWorkFolder", ReasonCase::ClosedWorkFolder, false, CLOSED},
        ReasonCase{"ExportOfASolucThatLinksToNothing", ReasonCase::SolucBrokenLink, false,
                   "error: No se puede abrir la tabla.\nTabla: <work>/SOLUC.DBF\nMotivo: es un "
                   "enlace roto: lo que nombra no existe"},
        ReasonCase{"ExportFromAFolderPathTooLong", ReasonCase::SiceFolderTooLong, false,
                   "finished, result 0 | No se puede usar la carpeta (la ruta o uno de sus "
                   "nombres es m\xE1s largo de lo que el sistema admite)"},
        ReasonCase{"ImportFromAFolderPathTooLong", ReasonCase::SiceFolderTooLong, true,
                   "finished, result 0 | No se puede usar la carpeta (la ruta o uno de sus "
                   "nombres es m\xE1s largo de lo que el sistema admite)"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tts::hardening
