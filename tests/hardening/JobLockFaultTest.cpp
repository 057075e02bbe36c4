// The work folder's lock when something is wrong with it: a job that cannot take it stops before
// it changes anything, and a job that takes it never removes a temporary file that a living job
// is still writing.
#include "HardeningSupport.h"

#include "base/platform/JobLock.h"
#include "import/ImportRun.h"
#include "sice/FileWriter.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <ostream>

namespace tts::hardening {
namespace {

struct LockCase {
    const char* name;
    enum { LeftByAnotherUser, HeldByAnotherUsersJob, IsAFolder } state;
    bool importing;      // else the export
    const char* outcome; // "<lock>" and "<work>" stand for the paths
};
void PrintTo(const LockCase& c, std::ostream* out) {
    *out << c.name;
}

// The test program's user, who leaves the lock files behind.
std::string ownerName() {
    const passwd* user = ::getpwuid(::getuid());
    return user ? user->pw_name : std::to_string(::getuid());
}

class JobWithAnUnusableLock : public ::testing::TestWithParam<LockCase> {};

TEST_P(JobWithAnUnusableLock, StopsBeforeItChangesAnything) {
    const LockCase& c = GetParam();
    ImportedSchool school;
    // Something for the import to change, were it to run.
    writeBytes(school.sice.file("sice_grupo.txt"), "1   9ZZZ\r\n");
    const std::string lock = school.work.file(platform::JobLock::fileName());
    ChildUser user = ChildUser::Same;
    platform::JobLock held;
    switch (c.state) {
    case LockCase::LeftByAnotherUser: // private to its owner, as an older build made it
        writeBytes(lock, "");
        ::chmod(lock.c_str(), 0600);
        user = ChildUser::Nobody;
        break;
    case LockCase::HeldByAnotherUsersJob: {
        platform::JobLock::Outcome outcome{};
        held = platform::JobLock::acquire(school.work.path(), outcome);
        ASSERT_EQ(outcome, platform::JobLock::Outcome::Held);
        ::chmod(lock.c_str(), 0644);
        user = ChildUser::Nobody;
        break;
    }
    case LockCase::IsAFolder:
        std::filesystem::create_directory(lock);
        break;
    }
    for (const TestFolder* folder : {&school.sice, &school.work}) {
        folder->openToAll();
        for (const auto& entry : std::filesystem::directory_iterator(folder->path()))
            if (entry.path() != lock)
                ::chmod(entry.path().c_str(), 0666);
    }
    school.remember();

    ChildOutcome child = runInChild(
        [&] {
            return outcomeOf([&](test::RecordingRunHost& host) {
                if (c.importing)
                    school.runImport(host);
                else
                    school.runExport(host);
            });
        },
        user);

    ASSERT_TRUE(child.exitedNormally) << child.report;
    EXPECT_EQ(child.report, withMarks(c.outcome, {{"<lock>", lock},
                                                  {"<work>", school.work.path()},
                                                  {"<owner>", ownerName()}}));
    EXPECT_EQ(snapshotOf(school.work.path()), school.workBefore);
    EXPECT_EQ(snapshotOf(school.sice.path()), school.siceBefore);
}

#define UNUSABLE                                                                                   \
    "error: No se puede usar el archivo de bloqueo de la carpeta de trabajo.\nArchivo: "           \
    "<lock>\nMotivo: "
#define LEFT_BEHIND                                                                                \
    "\nEs el archivo de bloqueo que dej\xF3 una transformaci\xF3n que no termin\xF3 (de "          \
    "<owner>); "                                                                                   \
    "si no hay ninguna en marcha, se puede borrar"
#define BUSY "error: Otra transformaci\xF3n est\xE1 usando la carpeta de trabajo \"<work>\""

INSTANTIATE_TEST_SUITE_P(
    Locks, JobWithAnUnusableLock,
    ::testing::Values(
        LockCase{"ImportLeftByAnotherUser", LockCase::LeftByAnotherUser, true,
                 UNUSABLE "acceso denegado" LEFT_BEHIND},
        LockCase{"ExportLeftByAnotherUser", LockCase::LeftByAnotherUser, false,
                 UNUSABLE "acceso denegado" LEFT_BEHIND},
        LockCase{"ImportWhileAnotherUsersJobRuns", LockCase::HeldByAnotherUsersJob, true, BUSY},
        LockCase{"ExportWhileAnotherUsersJobRuns", LockCase::HeldByAnotherUsersJob, false, BUSY},
        LockCase{"ImportLockIsAFolder", LockCase::IsAFolder, true,
                 UNUSABLE "no es un archivo normal"}),
    [](const auto& info) { return std::string(info.param.name); });

// A job killed while it holds the work folder leaves its lock file behind, under a umask that
// hides its files from others; another user's job takes it all the same, runs, and clears it.
TEST(JobLockFault, ALockLeftByAnotherUsersKilledJobIsTakenByTheNext) {
    ImportedSchool school;
    writeBytes(school.sice.file("sice_grupo.txt"), "1   9ZZZ\r\n");
    const std::string lock = school.work.file(platform::JobLock::fileName());
    openEverythingToAll(school.sice);
    openEverythingToAll(school.work);
    ForkedChild first([&](test::ChildSide& side) {
        ::umask(077);
        platform::JobLock::Outcome outcome{};
        platform::JobLock held = platform::JobLock::acquire(school.work.path(), outcome);
        side.tell(outcome == platform::JobLock::Outcome::Held ? "held" : "not held");
        side.awaitRelease();
        return 0;
    });
    ASSERT_EQ(first.nextMessage(), "held");
    first.kill();
    first.wait();
    struct stat left {};
    ASSERT_EQ(::stat(lock.c_str(), &left), 0);
    EXPECT_EQ(left.st_mode & 0777, 0644u);

    ChildOutcome next = runInChild(
        [&] { return outcomeOf([&](test::RecordingRunHost& host) { school.runImport(host); }); },
        ChildUser::Nobody);
    if (next.exitCode == ForkedChild::kNotNobody)
        GTEST_SKIP() << "cannot become an unprivileged user here";
    ASSERT_TRUE(next.exitedNormally) << next.report;
    EXPECT_EQ(next.report.substr(0, 18), "finished, result 1") << next.report;
    EXPECT_FALSE(std::filesystem::exists(lock));
    EXPECT_NE(readBytes(school.work.file("GRUPOST.DBF")).find("9ZZZ"), std::string::npos);
}

// An export writes SICE_HORARIO.TXT into a folder that another job, started meanwhile, uses as
// its work folder: that job's clean-up of dead runs' leftovers leaves the living temporary file.
TEST(JobLockFault, ALivingTemporaryFileSurvivesAnotherJobsStart) {
    ImportedSchool school;
    const std::string target = school.sice.file("SICE_HORARIO.TXT");
    sice::LineFileWriter writing(target);
    writing.add("0SICE_HORARIO.TXT nuevo");
    ChildOutcome other = runInChild([&] {
        return outcomeOf([&](test::RecordingRunHost& host) {
            import::runImport(host, school.sice.path(), school.sice.path());
        });
    });
    ASSERT_TRUE(other.exitedNormally) << other.report;
    EXPECT_EQ(other.report, "finished, result 1 | Proceso finalizado");
    writing.add("9SICE_HORARIO.TXT 0");
    EXPECT_NO_THROW(writing.commit());
    EXPECT_EQ(readBytes(target), "0SICE_HORARIO.TXT nuevo\r\n9SICE_HORARIO.TXT 0\r\n");
}

} // namespace
} // namespace tts::hardening
