// Work tables that another program holds, work folders that are missing or closed to us, and a
// table that a step needs and does not find: a clear message, and every table either as it was
// or completely rebuilt.
#include "HardeningSupport.h"
#include "TableStates.h"

#include "export/TimetableExport.h"
#include "import/ImportRun.h"
#include "tables/WorkTable.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <ostream>

namespace tts::hardening {
namespace {

using tables::OpenMode;
using tables::WorkTable;

// The host (another process) with one table open in the given mode, until destruction.
class HostHolding {
public:
    HostHolding(const std::string& folder, const std::string& table, OpenMode mode)
        : process_([=](test::ChildSide& side) {
              WorkTable held = WorkTable::open(folder, table, mode);
              side.tell("holding");
              side.awaitRelease(); // never released: killed at destruction, table still open
              return 0;
          }),
          ready_(process_.nextMessage() == "holding") {}
    bool ready() const { return ready_; }

private:
    ForkedChild process_;
    bool ready_;
};

struct HeldCase {
    const char* name;
    OpenMode mode;
};
void PrintTo(const HeldCase& c, std::ostream* out) {
    *out << c.name;
}

class ImportWhileHostHoldsATable : public ::testing::TestWithParam<HeldCase> {};

// Replacing a table under a host that has it open would leave the host working on a file that
// is no longer the table: whatever it writes afterwards is lost. The import must stop instead.
TEST_P(ImportWhileHostHoldsATable, StopsAtThatTableAndKeepsIt) {
    TestFolder sice("sice"), work("work");
    TableStates states;
    states.prepare(sice, work);
    HostHolding host(work.path(), "GRUPOST", GetParam().mode);
    ASSERT_TRUE(host.ready());

    test::RecordingRunHost window;
    EXPECT_EQ(errorOf([&] { import::runImport(window, sice.path(), work.path()); }),
              "La tabla est\xE1 en uso.\nTabla: " + work.file("GRUPOST.DBF"));
    EXPECT_EQ(states.describe(work), "NNNOOO");
}

INSTANTIATE_TEST_SUITE_P(Faults, ImportWhileHostHoldsATable,
                         ::testing::Values(HeldCase{"Shared", OpenMode::Shared},
                                           HeldCase{"ReadOnly", OpenMode::ReadOnly},
                                           HeldCase{"Exclusive", OpenMode::Exclusive}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ExportHeldCase {
    const char* name;
    const char* table;
    OpenMode mode;
};
void PrintTo(const ExportHeldCase& c, std::ostream* out) {
    *out << c.name;
}

class ExportWhileHostHoldsATable : public ::testing::TestWithParam<ExportHeldCase> {};

TEST_P(ExportWhileHostHoldsATable, StopsAndLeavesTheOldTimetableFile) {
    ImportedSchool school;
    HostHolding host(school.work.path(), GetParam().table, GetParam().mode);
    ASSERT_TRUE(host.ready());

    test::RecordingRunHost window;
    EXPECT_EQ(errorOf([&] { school.runExport(window); }),
              "La tabla est\xE1 en uso.\nTabla: " +
                  school.work.file(std::string(GetParam().table) + ".DBF"));
    EXPECT_EQ(snapshotOf(school.sice.path()), school.siceBefore);
    EXPECT_EQ(snapshotOf(school.work.path()), school.workBefore);
    EXPECT_FALSE(window.busy);
    EXPECT_FALSE(window.jobsDisabled);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ExportWhileHostHoldsATable,
    ::testing::Values(ExportHeldCase{"SolucShared", "SOLUC", OpenMode::Shared},
                      ExportHeldCase{"SolucExclusive", "SOLUC", OpenMode::Exclusive},
                      ExportHeldCase{"SlotsReadOnly", "DIASHORAST", OpenMode::ReadOnly},
                      ExportHeldCase{"TeachersExclusive", "PROFT", OpenMode::Exclusive}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WorkFolderFault, AMissingWorkFolderStopsTheImportAtItsFirstTableAndIsNotCreated) {
    TestFolder sice("sice"), parent("parent");
    copyFolder(exampleSiceFolder(), sice.path());
    const std::string missing = parent.file("HTEMP");
    const FolderSnapshot siceBefore = snapshotOf(sice.path());

    test::RecordingRunHost window;
    EXPECT_EQ(errorOf([&] { import::runImport(window, sice.path(), missing); }),
              "Ruta de acceso no v\xE1lida.\nRuta: " + missing);
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_EQ(snapshotOf(sice.path()), siceBefore);
    EXPECT_FALSE(window.busy);
}

TEST(WorkFolderFault, AMissingWorkFolderStopsTheExportBeforeItWritesAnything) {
    ImportedSchool school;
    const std::string missing = school.work.file("gone");

    test::RecordingRunHost window;
    const std::string message =
        errorOf([&] { exporting::runExport(window, school.sice.path(), missing); });
    EXPECT_EQ(message, "Ruta de acceso no v\xE1lida.\nRuta: " + missing);
    EXPECT_EQ(snapshotOf(school.sice.path()), school.siceBefore);
}

TEST(WorkFolderFault, AWorkFolderClosedToUsStopsTheImportAndKeepsTheOldTables) {
    TestFolder sice("sice"), work("work");
    TableStates states;
    states.prepare(sice, work);
    sice.openToAll();
    ::chmod(work.path().c_str(), 0755); // readable by everybody, writable by its owner (root) only

    ChildOutcome child = runInChild(
        [&] {
            test::RecordingRunHost window;
            return errorOf([&] { import::runImport(window, sice.path(), work.path()); });
        },
        ChildUser::Nobody);

    ASSERT_TRUE(child.exitedNormally) << child.report;
    EXPECT_EQ(child.report, "Ruta de acceso no v\xE1lida.\nRuta: " + work.path());
    EXPECT_EQ(states.describe(work), "OOOOOO");
}

// With the groups file missing, step 5 takes GRUPOST from an earlier import; without one it
// stops, and the tables of steps 5 and 6 stay as they were.
TEST(WorkFolderFault, GroupsTableMissingAtStepFiveStopsTheImportThere) {
    TestFolder sice("sice"), work("work");
    TableStates states;
    states.prepare(sice, work);
    std::filesystem::remove(sice.file("sice_grupo.txt"));
    std::filesystem::remove(work.file("GRUPOST.DBF"));

    test::RecordingRunHost window;
    EXPECT_EQ(errorOf([&] { import::runImport(window, sice.path(), work.path()); }),
              "No se encuentra la tabla.\nTabla: " + work.file("GRUPOST.DBF"));
    EXPECT_EQ(window.messages,
              std::vector<std::string>{"No existe archivo de grupos (SICE_GRUPO.TXT)"});
    EXPECT_EQ(window.result(), -1);
    EXPECT_FALSE(window.jobsDisabled);

    EXPECT_EQ(states.describe(work), "NNN-OO");
}

} // namespace
} // namespace tts::hardening
