// The process killed (SIGKILL) at random moments of an import, and at points of its progress in
// an export, of a large school, again and again. Afterwards every table and SICE_HORARIO.TXT must
// be the complete old or the complete new one, and the files a killed run leaves must be gone after
// the next run. These are the suite's longest tests; their names contain "Sigkill" so that a run
// short of time can leave them out with ctest -E Sigkill.
#include "GeneratedSchool.h"
#include "HardeningSupport.h"
#include "TableStates.h"

#include "base/platform/JobLock.h"
#include "export/SolucRows.h"
#include "export/TimetableExport.h"
#include "import/ImportRun.h"

#include <gtest/gtest.h>

#include <sys/types.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <random>
#include <set>
#include <thread>

namespace tts::hardening {
namespace {

constexpr int kKills = 30;
constexpr unsigned kSeed = 20240905; // the delays are random, but the same every run

const SchoolSize kLargeSchool{/*groups=*/600,     /*subjectsPerGroup=*/20,
                              /*teachers=*/1500,
                              /*rooms=*/400,      /*days=*/5,
                              /*periodsPerDay=*/8};

// Runs `job` in a forked child; with a delay, kills it after that long. True when the child
// was killed before it finished.
bool runAndKill(const std::function<void()>& job, std::chrono::microseconds delay, bool kill) {
    ForkedChild child([&](test::ChildSide&) {
        job();
        return 0;
    });
    if (kill) {
        std::this_thread::sleep_for(delay);
        child.kill();
    }
    const ChildOutcome outcome = child.wait();
    if (outcome.exitedNormally && outcome.exitCode != 0)
        ADD_FAILURE() << "the job failed in the child (exit " << outcome.exitCode
                      << "): " << outcome.report;
    return outcome.killedBySignal;
}

std::chrono::microseconds timed(const std::function<void()>& job) {
    const auto start = std::chrono::steady_clock::now();
    runAndKill(job, {}, false);
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                                 start);
}

// Names the files of a folder that are not in `expected`.
std::set<std::string> extraFiles(const std::string& folder, const std::set<std::string>& expected) {
    std::set<std::string> extra;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (!expected.count(entry.path().filename().string()))
            extra.insert(entry.path().filename().string());
    return extra;
}

const std::set<std::string>& tableNames() {
    static const std::set<std::string> names(kStepTables.begin(), kStepTables.end());
    return names;
}

TEST(Sigkill, DuringImportsLeavesEveryTableWholeOldOrNew) {
    TestFolder schoolA("school-a"), schoolB("school-b"), work("work");
    writeSchool(schoolA.path(), kLargeSchool, 'A');
    writeSchool(schoolB.path(), kLargeSchool, 'B');
    TableStates states; // old: the tables of school A, new: those of school B
    {
        TestFolder reference("reference");
        test::RecordingRunHost host;
        import::runImport(host, schoolB.path(), reference.path());
        ASSERT_EQ(host.messages, std::vector<std::string>{"Proceso finalizado"});
        states.newTables = snapshotOf(reference.path());
        import::runImport(host, schoolA.path(), work.path());
        states.oldTables = snapshotOf(work.path());
        ASSERT_NE(states.oldTables, states.newTables);
    }
    auto importOf = [&](const TestFolder& school) {
        return [&] {
            test::RecordingRunHost host;
            import::runImport(host, school.path(), work.path());
        };
    };
    // The fastest of three runs: the kills must land inside later runs, whether the load of the
    // machine rises or falls meanwhile.
    auto duration = timed(importOf(schoolB));
    for (int i = 0; i < 2; ++i)
        duration = std::min(duration, timed(importOf(schoolB)));
    ASSERT_EQ(states.describe(work), "NNNNNN");

    std::mt19937 random(kSeed);
    std::uniform_int_distribution<long> delays(0, duration.count() * 11 / 10);
    int killed = 0;
    std::set<std::string> leftovers;
    for (int i = 0; i < kKills; ++i) {
        // Alternately towards A and towards B, so each run replaces tables of the other kind.
        const auto delay = std::chrono::microseconds(delays(random));
        killed += runAndKill(importOf(i % 2 ? schoolB : schoolA), delay, true);
        std::string state = states.describe(work).substr(0, 6);
        EXPECT_EQ(state.find_first_not_of("ON"), std::string::npos)
            << "kill " << i << " after " << delay.count() << " us left " << states.describe(work);
        for (const std::string& name : extraFiles(work.path(), tableNames()))
            leftovers.insert(name);
    }
    EXPECT_GE(killed, kKills / 2) << "too few kills landed inside a run to mean anything";

    // Whatever the killed runs left behind goes with the next complete run.
    runAndKill(importOf(schoolB), {}, false);
    EXPECT_EQ(states.describe(work), "NNNNNN");
    RecordProperty("leftovers_seen", static_cast<int>(leftovers.size()));
}

// The export kills itself at points of its own progress rather than after a delay, so that no
// load on the machine moves a kill out of the run: after every so many rows of the loop (the old
// file must stay whole, and no temporary file outlive the next export), and once the new file
// is in place (the new file must be whole).
class KillingHost : public test::RecordingRunHost {
public:
    explicit KillingHost(int killAt) : killAt_(killAt) {}
    static constexpr int kNever = 0;
    static constexpr int kOnceWritten = -1; // when the job sets its result, the file committed
    void keepAlive() override {
        if (++calls_ == killAt_)
            std::raise(SIGKILL);
    }
    void setResult(int32_t code) override {
        if (killAt_ == kOnceWritten)
            std::raise(SIGKILL);
        RecordingRunHost::setResult(code);
    }

private:
    int killAt_;
    int calls_ = 0;
};

TEST(Sigkill, DuringExportsLeavesTheWholeOldOrNewTimetableFile) {
    constexpr int kRows = 60000;
    constexpr int kKeepAlives = kRows / exporting::kRowsPerKeepAlive;
    TestFolder sice("sice"), work("work");
    writeSchool(sice.path(), kLargeSchool, 'B');
    {
        test::RecordingRunHost host;
        import::runImport(host, sice.path(), work.path());
    }
    writeSoluc(work.path(), kLargeSchool, kRows);
    auto exportAt = [&](int minute, int killAt) {
        return [&, minute, killAt] {
            KillingHost host(killAt);
            exporting::runExport(host, sice.path(), work.path(), nullptr, [minute] {
                return exporting::LocalDateTime{2024, 9, 5, 8, minute};
            });
        };
    };
    runAndKill(exportAt(1, KillingHost::kNever), {}, false);
    const std::string oldFile = readBytes(sice.file("SICE_HORARIO.TXT"));
    runAndKill(exportAt(2, KillingHost::kNever), {}, false);
    const std::string newFile = readBytes(sice.file("SICE_HORARIO.TXT"));
    ASSERT_NE(oldFile, newFile);
    const FolderSnapshot tables = snapshotOf(work.path());
    FolderSnapshot siceFiles = snapshotOf(sice.path());
    siceFiles.erase("SICE_HORARIO.TXT");

    std::vector<int> killPoints;
    for (int i = 0; i < kKills; ++i)
        killPoints.push_back(1 + i * (kKeepAlives - 1) / (kKills - 1));
    killPoints.push_back(KillingHost::kOnceWritten);
    for (const int killAt : killPoints) {
        writeBytes(sice.file("SICE_HORARIO.TXT"), oldFile);
        EXPECT_TRUE(runAndKill(exportAt(2, killAt), {}, false))
            << "the export ended before its kill point " << killAt;
        const std::string now = readBytes(sice.file("SICE_HORARIO.TXT"));
        if (killAt == KillingHost::kOnceWritten)
            EXPECT_TRUE(now == newFile) << "a file of " << now.size() << " bytes once written";
        else
            EXPECT_TRUE(now == oldFile)
                << "kill at " << killAt << " left a file of " << now.size() << " bytes";
        // The job's empty lock file may outlive a killed run until the next job lets it go.
        FolderSnapshot workNow = snapshotOf(work.path());
        if (auto lock = workNow.find(platform::JobLock::fileName()); lock != workNow.end()) {
            EXPECT_EQ(lock->second, "") << "kill at " << killAt;
            workNow.erase(lock);
        }
        EXPECT_EQ(workNow, tables) << "kill at " << killAt << " changed a table";
    }

    runAndKill(exportAt(2, KillingHost::kNever), {}, false);
    EXPECT_EQ(snapshotOf(work.path()), tables) << "a complete export leaves more than the tables";
    FolderSnapshot after = snapshotOf(sice.path());
    EXPECT_EQ(after["SICE_HORARIO.TXT"], newFile);
    after.erase("SICE_HORARIO.TXT");
    std::set<std::string> names;
    for (const auto& [name, bytes] : after)
        names.insert(name);
    std::set<std::string> expectedNames;
    for (const auto& [name, bytes] : siceFiles)
        expectedNames.insert(name);
    EXPECT_EQ(names, expectedNames) << "files left in the SICE folder by killed exports";
}

// A pid that no process has any more: a child that has ended and been reaped.
pid_t deadPid() {
    ForkedChild child([](test::ChildSide&) { return 0; });
    child.wait();
    return child.pid();
}

// A kill lands between creating a temporary file and renaming it only now and then; here the
// files such a kill leaves are laid out directly, as a process that no longer runs left them.
TEST(KilledRunLeftovers, AreRemovedByTheNextImport) {
    TestFolder sice("sice"), work("work");
    TableStates states;
    states.prepare(sice, work);
    const std::string dead = std::to_string(deadPid());
    // The table layer's temporary files of tables being rebuilt when the process died.
    for (const std::string& name :
         {".~ASIGNOMT.DBF.tmp-" + dead + "-0", ".~ASIGT.DBF.tmp-" + dead + "-7"})
        writeBytes(work.file(name), "half a table");

    test::RecordingRunHost host;
    import::runImport(host, sice.path(), work.path());
    EXPECT_EQ(states.describe(work), "NNNNNN");
}

TEST(KilledRunLeftovers, AreRemovedByTheNextExport) {
    ImportedSchool school;
    const std::string leftover =
        school.sice.file(".~SICE_HORARIO.TXT.tmp-" + std::to_string(deadPid()));
    writeBytes(leftover, "0SICE_HORARIO.TXT half written\r\n");

    test::RecordingRunHost host;
    school.runExport(host);
    EXPECT_EQ(host.messages, std::vector<std::string>{"Proceso finalizado"});
    EXPECT_FALSE(std::filesystem::exists(leftover))
        << "a killed export's file stays in the SICE folder";
}

} // namespace
} // namespace tts::hardening
