// What only Windows does to a replacement: attributes that a file carries, and other programs
// that open a file for a moment without sharing it.
#include "base/platform/AtomicReplace.h"
#include "base/platform/ReplaceSteps.h"

#include "tests/support/FileBytes.h"
#include "tests/support/HeldFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <thread>

#include <windows.h>

namespace tts::platform {
namespace {

using test::HeldFile;
using test::readBytes;
using test::TempFolder;
using test::writeBytes;

DWORD attributesOf(const std::string& path) {
    return ::GetFileAttributesA(path.c_str());
}

TEST(WindowsFiles, AReplacedFileKeepsItsHiddenAndSystemAttributes) {
    TempFolder folder;
    const std::string path = folder.file("SICE_HORARIO.TXT");
    const DWORD cases[] = {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM,
                           FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM};
    for (const DWORD attributes : cases) {
        SCOPED_TRACE(attributes);
        writeBytes(path, "viejo");
        ASSERT_TRUE(::SetFileAttributesA(path.c_str(), attributes));
        EXPECT_EQ(replaceFileContents(path, "nuevo"), 0);
        EXPECT_EQ(readBytes(path), "nuevo");
        const DWORD now = attributesOf(path);
        EXPECT_EQ(now & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), attributes);
        ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    // Read-only still refuses the replacement.
    ASSERT_TRUE(
        ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE(isAccessDenied(replaceFileContents(path, "otro")));
    EXPECT_EQ(readBytes(path), "nuevo");
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The old file is taken by another program between our last look and the rename: while it
// holds it, it is using it (not "access denied"); once it lets go, the rename goes through.
TEST(WindowsFiles, AFileTakenDuringTheRenameIsInUseUntilItIsLetGo) {
    TempFolder folder;
    const std::string path = folder.file("ASIGT.DBF"), next = folder.file("siguiente");
    writeBytes(path, "viejo");
    writeBytes(next, "nuevo");
    {
        HeldFile held(path, "exclusive");
        ASSERT_TRUE(held.ready());
        const SystemError error = moveOver(next, path);
        EXPECT_TRUE(isSharingViolation(error)) << describe(error);
    }
    EXPECT_EQ(readBytes(path), "viejo");

    std::optional<HeldFile> held;
    held.emplace(path, "exclusive");
    ASSERT_TRUE(held->ready());
    std::thread letGo([&held] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        held.reset();
    });
    EXPECT_EQ(moveOver(next, path), 0);
    letGo.join();
    EXPECT_EQ(readBytes(path), "nuevo");
}

} // namespace
} // namespace tts::platform
