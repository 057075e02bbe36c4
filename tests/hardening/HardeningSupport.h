#pragma once

#include "base/Error.h"
#include "fuzz/FolderSnapshot.h"
#include "tests/support/ErrorText.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ForkedChild.h"
#include "tests/support/RecordingRunHost.h"
#include "tests/support/TempFolder.h"

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace tts::hardening {

using fuzz::FolderSnapshot;
using fuzz::snapshotOf;
using test::readBytes;
using test::writeBytes;

inline std::string exampleSiceFolder() {
    return TTS_SOURCE_DIR "/examples/sice";
}

// A folder of the test's own, removed afterwards. Created private; openToAll() lets the
// unprivileged child of a permission test in. The label only says, in the test, what it holds.
class TestFolder : public test::TempFolder {
public:
    explicit TestFolder(const char* /*label*/) {}
    const TestFolder& openToAll() const {
        ::chmod(path().c_str(), 0777);
        return *this;
    }
};

// Root reads everything: a refused permission only shows for somebody else. Everything the
// unprivileged child must reach is opened to all first, so only the one denial remains.
inline void openEverythingToAll(const TestFolder& folder) {
    folder.openToAll();
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        ::chmod(entry.path().c_str(), entry.is_directory() ? 0777 : 0666);
}

// An expected text with each mark ("<work>", "<sice>"...) replaced, wherever it stands, by what
// it stands for in this run: the test's own paths, a length worked out from the file.
inline std::string
withMarks(std::string text,
          std::initializer_list<std::pair<std::string_view, std::string_view>> marks) {
    for (const auto& [mark, value] : marks)
        for (size_t at = text.find(mark); at != std::string::npos;
             at = text.find(mark, at + value.size()))
            text.replace(at, mark.size(), value);
    return text;
}

inline void copyFolder(const std::string& from, const std::string& to) {
    for (const auto& entry : std::filesystem::directory_iterator(from))
        std::filesystem::copy_file(entry.path(), to + "/" + entry.path().filename().string(),
                                   std::filesystem::copy_options::overwrite_existing);
}

using test::ChildOutcome;
using test::ChildUser;
using test::errorOf;
using test::ForkedChild;
using test::kNoError;
using test::runInChild;

// The outcome of a job as the child that ran it reports it: "error: <message>", or "finished,
// result <code>" followed by " | <notice>" for each of its notices.
std::string outcomeOf(const std::function<void(test::RecordingRunHost&)>& job);

// A school's folder of SICE files and a work folder that already holds the tables its import
// built, the state a user is in before a run that may go wrong.
struct ImportedSchool {
    TestFolder sice{"sice"};
    TestFolder work{"work"};
    FolderSnapshot siceBefore;
    FolderSnapshot workBefore;

    ImportedSchool(); // from the example school
    void remember();  // takes the two snapshots again
    void runImport(test::RecordingRunHost& host) const;
    void runExport(test::RecordingRunHost& host) const;
};

} // namespace tts::hardening
