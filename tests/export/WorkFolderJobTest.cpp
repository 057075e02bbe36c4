#include "export/TimetableExport.h"
#include "import/ImportRun.h"

#include "base/Error.h"
#include "base/platform/JobLock.h"

#include "ExportFixture.h"
#include "tests/support/ErrorText.h"
#include "tests/support/RecordingRunHost.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tts::test {
namespace {

namespace fs = std::filesystem;

class WorkFolderJob : public ::testing::Test {
protected:
    ExportFixture f;
    RecordingRunHost host;

    void SetUp() override {
        f.writeStandardSiceFiles();
        f.createStandardTables();
        f.createSoluc({{1, 1, "P001", "1ESOA", "MAT", "MAT", "AULA1"}});
        writeBytes(f.outputPath(), "anterior\r\n");
    }
    void exportNow() {
        exporting::runExport(host, f.sice.path(), f.work.path(), nullptr, [] {
            return exporting::LocalDateTime{2024, 9, 5, 8, 7};
        });
    }
};

// Two jobs in one work folder would build tables against each other's: the second one stops
// before it changes anything, whichever job it is.
TEST_F(WorkFolderJob, ASecondJobAtTheSameTimeStopsAndChangesNothing) {
    platform::JobLock::Outcome outcome{};
    platform::JobLock running = platform::JobLock::acquire(f.work.path(), outcome);
    ASSERT_EQ(outcome, platform::JobLock::Outcome::Held);
    const std::string busy =
        "Otra transformaci\xF3n est\xE1 usando la carpeta de trabajo \"" + f.work.path() + "\"";
    const auto tablesBefore = f.work.names();
    const std::string groupsBefore = readBytes(f.work.file("GRUPOST.DBF"));

    EXPECT_EQ(errorOf([&] { exportNow(); }), busy);
    EXPECT_EQ(f.output(), "anterior\r\n");

    writeBytes(f.sice.file("sice_grupo.txt"), "1   9ZZZ\r\n");
    EXPECT_EQ(errorOf([&] { import::runImport(host, f.sice.path(), f.work.path()); }), busy);
    EXPECT_EQ(f.work.names(), tablesBefore);
    EXPECT_EQ(readBytes(f.work.file("GRUPOST.DBF")), groupsBefore);
    EXPECT_EQ(host.result(), 0);

    running.release();
    exportNow();
    EXPECT_EQ(host.result(), 1);
    EXPECT_NE(f.output(), "anterior\r\n");
}

// A SICE_HORARIO.TXT that the user made read-only is kept: the export stops with the message of
// a file that cannot be created, as on Windows, where the rename would have been refused.
TEST_F(WorkFolderJob, AReadOnlyTimetableFileStopsTheExport) {
    fs::permissions(f.outputPath(),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const std::string message = errorOf([&] { exportNow(); });
    EXPECT_EQ(message.rfind("Cannot create file \"" + f.outputPath() + "\". ", 0), 0u) << message;
    fs::permissions(f.outputPath(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(f.output(), "anterior\r\n");
    EXPECT_NE(host.result(), 1);
    EXPECT_EQ(f.sice.names(), (std::vector<std::string>{"SICE_HORARIO.TXT", "sice_asignat.txt",
                                                        "sice_sesiones.txt"}));
}

} // namespace
} // namespace tts::test
