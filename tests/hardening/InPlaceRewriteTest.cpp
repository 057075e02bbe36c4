// A SICE folder that takes no new file, holding a SICE_HORARIO.TXT that may be written: the file
// is rewritten where it stands. Whatever stops that rewrite (a write that fails at any point, a
// full disk, Ctrl+C, a termination request or a hang-up) leaves the whole old file or the whole
// new one.
#include "HardeningSupport.h"

#include "base/platform/AtomicReplace.h"
#include "base/platform/FaultInjection.h"
#include "export/TimetableExport.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <ostream>

namespace tts::hardening {
namespace {

// Distinct bytes everywhere, so that any mix of old and new shows.
std::string content(char mark, size_t size) {
    std::string bytes(size, mark);
    for (size_t i = 0; i < size; i += 97)
        bytes[i] = static_cast<char>('0' + i % 10);
    return bytes;
}

// The folder refuses new files to the unprivileged child; the file itself it may write.
struct ClosedFolder {
    TestFolder folder{"sice"};
    std::string path = folder.file("SICE_HORARIO.TXT");

    explicit ClosedFolder(const std::string& old) {
        writeBytes(path, old);
        ::chmod(path.c_str(), 0666);
        ::chmod(folder.path().c_str(), 0555);
    }
    ~ClosedFolder() { ::chmod(folder.path().c_str(), 0700); }
    std::vector<std::string> names() const { return folder.names(); }
};

std::string describeResult(platform::SystemError error) {
    return error ? std::strerror(error) : "ok";
}

struct FailureCase {
    const char* name;
    size_t oldSize;
    size_t newSize;
    size_t failAt; // the write fails once this many new bytes went to the file
};
void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.name;
}

class InPlaceRewriteFailing : public ::testing::TestWithParam<FailureCase> {};

TEST_P(InPlaceRewriteFailing, LeavesTheOldFileByteForByte) {
    const FailureCase& c = GetParam();
    const std::string old = content('v', c.oldSize), fresh = content('n', c.newSize);
    ClosedFolder closed(old);
    ChildOutcome child = runInChild(
        [&] {
            size_t budget = c.failAt;
            auto failing = [&](const char*, size_t size, platform::SystemError& error) -> size_t {
                if (budget == 0)
                    error = EIO;
                const size_t taken = std::min(size, budget);
                budget -= taken;
                return taken;
            };
            const platform::InjectedWrites writes(failing);
            return describeResult(platform::replaceFileContents(closed.path, fresh));
        },
        ChildUser::Nobody);
    ASSERT_TRUE(child.exitedNormally) << child.report;
    EXPECT_EQ(child.report, std::strerror(EIO));
    EXPECT_TRUE(readBytes(closed.path) == old) << "the old file is not whole";
    EXPECT_EQ(closed.names(), (std::vector<std::string>{"SICE_HORARIO.TXT"}));
}

INSTANTIATE_TEST_SUITE_P(
    Offsets, InPlaceRewriteFailing,
    ::testing::Values(FailureCase{"BeforeTheFirstByte", 300000, 500000, 0},
                      FailureCase{"AfterOneByte", 300000, 500000, 1},
                      FailureCase{"InsideTheFirstPart", 300000, 500000, 4096},
                      FailureCase{"AtTheEndOfAPart", 300000, 500000, 65536},
                      FailureCase{"InsideTheOldContent", 300000, 500000, 200001},
                      FailureCase{"PastTheOldEnd", 300000, 500000, 400000},
                      FailureCase{"AtTheLastByte", 300000, 500000, 499999},
                      FailureCase{"ShorterNewFileHalfWay", 500000, 300000, 150000}),
    [](const auto& info) { return std::string(info.param.name); });

// A disk that takes no more than the old file plus a little: the new, larger content does not
// fit, and the old file stays whole. The limit on the file size stands for the full disk: the
// system refuses the room as it would on a full one, before a single new byte is written (the
// restore from memory would hide a write that came first).
TEST(InPlaceRewrite, FullDiskLeavesTheOldFile) {
    const std::string old = content('v', 300000), fresh = content('n', 500000);
    ClosedFolder closed(old);
    ChildOutcome child = runInChild(
        [&] {
            const rlimit limit{old.size() + 1000, old.size() + 1000};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
                return std::string("no limit");
            size_t offered = 0;
            auto counting = [&](const char*, size_t size, platform::SystemError&) -> size_t {
                offered += size;
                return size;
            };
            const platform::InjectedWrites writes(counting);
            return describeResult(platform::replaceFileContents(closed.path, fresh)) + " after " +
                   std::to_string(offered) + " bytes";
        },
        ChildUser::Nobody);
    ASSERT_TRUE(child.exitedNormally) << child.report;
    EXPECT_EQ(child.report, std::string(std::strerror(EFBIG)) + " after 0 bytes");
    EXPECT_TRUE(readBytes(closed.path) == old) << "the old file is not whole";
}

class InPlaceRewriteSignalled : public ::testing::TestWithParam<int> {};

// The request arrives while the first part of the new content is written: it waits until the
// file is whole and flushed, and then ends the program as it would have.
TEST_P(InPlaceRewriteSignalled, EndsTheProgramOnlyOnceTheFileIsWhole) {
    const int signal = GetParam();
    const std::string old = content('v', 400000), fresh = content('n', 700000);
    ClosedFolder closed(old);
    ChildOutcome child = runInChild(
        [&] {
            bool sent = false;
            auto signalling = [&](const char*, size_t size, platform::SystemError&) -> size_t {
                if (!sent)
                    std::raise(signal);
                sent = true;
                return size;
            };
            const platform::InjectedWrites writes(signalling);
            return describeResult(platform::replaceFileContents(closed.path, fresh));
        },
        ChildUser::Nobody);
    EXPECT_TRUE(child.killedBySignal) << child.report;
    EXPECT_EQ(child.signal, signal);
    EXPECT_TRUE(readBytes(closed.path) == fresh) << "the new file is not whole";
    EXPECT_EQ(closed.names(), (std::vector<std::string>{"SICE_HORARIO.TXT"}));
}

INSTANTIATE_TEST_SUITE_P(Requests, InPlaceRewriteSignalled,
                         ::testing::Values(SIGINT, SIGTERM, SIGHUP),
                         [](const auto& info) { return std::string(sigabbrev_np(info.param)); });

// The export says that it wrote over the old file, and why.
TEST(InPlaceRewrite, TheExportSaysTheFileWasRewrittenWhereItStood) {
    ImportedSchool school;
    openEverythingToAll(school.sice);
    openEverythingToAll(school.work);
    ::chmod(school.sice.path().c_str(), 0555); // its files writable, no new name in it
    const std::string target = school.sice.file("SICE_HORARIO.TXT");
    ChildOutcome child = runInChild(
        [&] {
            test::RecordingRunHost host;
            exporting::ExportReport report;
            exporting::runExport(host, school.sice.path(), school.work.path(), &report);
            return report.inPlaceBecause + " | " + report.writtenPath;
        },
        ChildUser::Nobody);
    ::chmod(school.sice.path().c_str(), 0700);
    ASSERT_TRUE(child.exitedNormally) << child.report;
    EXPECT_EQ(child.report, "acceso denegado | " + target);
    EXPECT_EQ(readBytes(target).rfind("0SICE_HORARIO.TXT", 0), 0u);
    EXPECT_NE(readBytes(target), school.siceBefore.at("SICE_HORARIO.TXT"));
}

} // namespace
} // namespace tts::hardening
