#include "ExportFixture.h"
#include "import/ImportRun.h"
#include "tests/support/RecordingRunHost.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tts::test {
namespace {

namespace fs = std::filesystem;

// The whole circle on the example school: the import builds the work tables from
// examples/sice, the host's timetable examples/SOLUC.DBF (made by examples/make_soluc.py) goes
// beside them, and the export must give exactly the expected SICE_HORARIO.TXT.
TEST(ExampleExport, ImportThenExportGivesTheExpectedFile) {
    const fs::path source = TTS_SOURCE_DIR;
    TempFolder sice, work;
    for (const auto& entry : fs::directory_iterator(source / "examples" / "sice"))
        fs::copy_file(entry.path(), fs::path(sice.path()) / entry.path().filename());

    RecordingRunHost importHost;
    import::runImport(importHost, sice.path(), work.path());
    ASSERT_EQ(importHost.result(), 1) << "the example imports without a missing file";

    fs::copy_file(source / "examples" / "SOLUC.DBF", fs::path(work.path()) / "SOLUC.DBF");
    RecordingRunHost exportHost;
    exporting::ExportReport report;
    exporting::runExport(exportHost, sice.path(), work.path(), &report,
                         FixedClock{{2024, 9, 6, 10, 0}});

    EXPECT_EQ(
        readBytes(sice.file("SICE_HORARIO.TXT")),
        readBytes((source / "tests" / "export" / "data" / "example-SICE_HORARIO.TXT").string()));
    // What the example was made to show: codes only the host knows fall back. Ordinary lessons
    // (no task) and rows without a group or room are no unknown codes: counted apart.
    EXPECT_EQ(report.linesWritten, 242);
    EXPECT_EQ(report.groups.codes, (std::vector<std::string>{"4ESOA-D"}));
    EXPECT_EQ(report.groups.codeRows, (std::vector<int64_t>{3}));
    EXPECT_EQ(report.groups.emptyRows, 64);
    EXPECT_EQ(report.tasks.codes, (std::vector<std::string>{"*CCP"}));
    EXPECT_EQ(report.tasks.codeRows, (std::vector<int64_t>{4}));
    EXPECT_EQ(report.tasks.emptyRows, 178);
    EXPECT_EQ(report.rooms.codes, (std::vector<std::string>{"AULA-ING"}));
    EXPECT_EQ(report.rooms.emptyRows, 47);
    EXPECT_EQ(report.slots.rows, 0);
    EXPECT_FALSE(report.dayCodingMismatch);
    EXPECT_EQ(report.writtenPath, sice.file("SICE_HORARIO.TXT"));
}

} // namespace
} // namespace tts::test
