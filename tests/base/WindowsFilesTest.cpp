// What only Windows does to a replacement: attributes that a file carries, and other programs
// that open a file for a moment without sharing it.
#include "base/platform/AtomicReplace.h"
#include "base/platform/ReplaceSteps.h"
#include "base/platform/win32/Wide.h"

#include "tests/support/FileBytes.h"
#include "tests/support/HeldFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
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

// The help service takes only ANSI paths: a file in a folder whose name the code page lacks is
// still reached, through its short name.
TEST(WindowsFiles, AnAnsiPathReachesAFileWhateverItsFolderIsNamed) {
    TempFolder folder;
    const std::string plain = folder.file("SICE.chm");
    writeBytes(plain, "ayuda");
    EXPECT_EQ(ansiPath(plain + "::/index.htm"), plain + "::/index.htm");

    const std::string lodz = folder.file("\u0141\u00F3d\u017A");
    std::filesystem::create_directory(test::fsPath(lodz));
    const std::string file = lodz + "\\SICE.chm";
    writeBytes(file, "ayuda");
    const std::string ansi = ansiPath(file + "::/index.htm");
    ASSERT_TRUE(ansi.size() > 13 && ansi.substr(ansi.size() - 12) == "::/index.htm") << ansi;
    const HANDLE opened =
        ::CreateFileA(ansi.substr(0, ansi.size() - 12).c_str(), GENERIC_READ, FILE_SHARE_READ,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(opened, INVALID_HANDLE_VALUE) << ansi;
    ::CloseHandle(opened);
}

} // namespace
} // namespace tts::platform
