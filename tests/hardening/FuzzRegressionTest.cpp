// Every input kept in tests/fuzz-regressions/<target>/ (crashers the fuzzers found, and inputs
// written by hand for the faults they stand for) replayed through the same harness that the
// fuzzer runs, so that a fault once found stays fixed.
#include "fuzz/ForeignSolucHarness.h"
#include "fuzz/ImportFolderHarness.h"
#include "fuzz/LineReadingHarness.h"
#include "fuzz/WholeFileHarness.h"
#include "HardeningSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tts::hardening {
namespace {

std::vector<std::string> regressionInputs(const std::string& target) {
    std::vector<std::string> paths;
    const std::string folder = TTS_SOURCE_DIR "/tests/fuzz-regressions/" + target;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file())
            paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    return paths;
}

void replay(const std::string& target, const std::function<void(std::string_view)>& harness) {
    const auto inputs = regressionInputs(target);
    ASSERT_FALSE(inputs.empty()) << "no inputs kept for " << target;
    for (const std::string& path : inputs) {
        SCOPED_TRACE(path);
        EXPECT_NO_THROW(harness(readBytes(path)));
    }
}

TEST(FuzzRegressions, LineReading) {
    replay("line_reading", fuzz::runLineReading);
}

TEST(FuzzRegressions, WholeFile) {
    fuzz::WholeFileHarness harness;
    replay("whole_file", [&](std::string_view bytes) { harness.run(bytes); });
}

TEST(FuzzRegressions, ImportFolder) {
    fuzz::ImportFolderHarness harness;
    replay("import_folder", [&](std::string_view bytes) { harness.run(bytes); });
}

TEST(FuzzRegressions, ForeignSoluc) {
    fuzz::ForeignSolucHarness harness(exampleSiceFolder());
    replay("foreign_soluc", [&](std::string_view bytes) { harness.run(bytes); });
}

} // namespace
} // namespace tts::hardening
