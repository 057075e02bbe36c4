// Horvane.ini that cannot be written: the user reads "Unable to write to <path>" with the reason
// and the file keeps every byte it had. Permissions only hold for somebody other than root, so
// each case runs in an unprivileged child. The window's side (it stays open, the next close
// tries again) is tested with the window in tests/app.

#include "HardeningSupport.h"

#include "app/HandOffFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <ostream>

namespace tts::hardening {
namespace {

const std::string kOther =
    "[Rutas]\r\nTemporal=C:\\HTEMP\r\n\r\n[Transformadores]\r\nTransformado=1\r\nOtro=x\r\n";

struct HandOffCase {
    const char* name;
    bool fileExists;
    mode_t fileMode;
    mode_t folderMode;
    bool written;
};

void PrintTo(const HandOffCase& c, std::ostream* out) {
    *out << c.name;
}

class HandOffFile : public ::testing::TestWithParam<HandOffCase> {};

TEST_P(HandOffFile, IsWrittenOrSaysSoAndLosesNothing) {
    const HandOffCase& c = GetParam();
    TestFolder folder("program");
    const std::string path = folder.file("Horvane.ini");
    if (c.fileExists) {
        writeBytes(path, kOther);
        ::chmod(path.c_str(), c.fileMode);
    }
    ::chmod(folder.path().c_str(), c.folderMode);

    ChildOutcome child = runInChild([&] { return errorOf([&] { app::writeHandOff(path, -1); }); },
                                    ChildUser::Nobody);
    ::chmod(folder.path().c_str(), 0700);

    ASSERT_TRUE(child.exitedNormally) << child.report;
    if (c.written) {
        EXPECT_EQ(child.report, kNoError);
        EXPECT_EQ(readBytes(path), "[Rutas]\r\nTemporal=C:\\HTEMP\r\n\r\n[Transformadores]"
                                   "\r\nTransformado=-1\r\nOtro=x\r\n");
    } else {
        EXPECT_EQ(child.report, "Unable to write to " + path + "\nMotivo: acceso denegado");
        if (c.fileExists) {
            EXPECT_EQ(readBytes(path), kOther);
        }
    }
    FolderSnapshot left = snapshotOf(folder.path());
    EXPECT_EQ(left.size(), c.fileExists || c.written ? 1u : 0u) << "a temporary file was left";
}

INSTANTIATE_TEST_SUITE_P(
    Faults, HandOffFile,
    ::testing::Values(
        HandOffCase{"ReadOnlyFile", true, 0444, 0777, false},
        HandOffCase{"UnreadableFile", true, 0222, 0777, false},
        HandOffCase{"ReadOnlyFolderWithoutFile", false, 0, 0555, false},
        // Windows updates a writable file in a folder it may not create files in; so do we.
        HandOffCase{"WritableFileInReadOnlyFolder", true, 0666, 0555, true},
        HandOffCase{"ReadOnlyFileInReadOnlyFolder", true, 0444, 0555, false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tts::hardening
