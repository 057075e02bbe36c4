// The folder chooser on the system it runs on (Linux, and Windows under Wine): paths cleaned as
// the system cleans them, and folder names kept as the program's bytes from the list to the
// working folder the jobs read: on Linux whatever bytes the name has, on Windows its UTF-8, also
// for letters that the ANSI code page lacks.
#include "app/FolderChooser.h"

#include "base/platform/Folders.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace tts::app {
namespace {

// A folder named by the program's bytes, made as another program of the machine would: on
// Windows through the wide call, from UTF-8.
void makeFolder(const std::string& path) {
#ifdef _WIN32
    std::wstring wide(path.size() + 1, L'\0');
    wide.resize(
        static_cast<size_t>(::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.c_str(), -1,
                                                  wide.data(), static_cast<int>(wide.size())) -
                            1));
    ASSERT_TRUE(::CreateDirectoryW(wide.c_str(), nullptr)) << path;
#else
    ASSERT_EQ(::mkdir(path.c_str(), 0755), 0) << path;
#endif
}

class FolderChooserTest : public ::testing::Test {
protected:
    void SetUp() override { saved_ = platform::currentFolder(); }
    void TearDown() override { platform::setCurrentFolder(saved_); }

    test::TempFolder scratch;

private:
    std::string saved_;
};

TEST_F(FolderChooserTest, AccentedNamesGoFromTheListToTheWorkingFolderUnchanged) {
#ifdef _WIN32
    const std::string secretaria = "Secretar\u00EDa \u0141\u00F3d\u017A",
                      anio = "A\u00F1o 2026\u201327 \u4E2D";
#else
    // Windows-1252 bytes, as a copy from another system may leave them.
    const std::string secretaria = "Secretar\xED"
                                   "a",
                      anio = "A\xF1o 2026\x96"
                             "27";
#endif
    makeFolder(scratch.file(secretaria));
    makeFolder(scratch.file(secretaria) + platform::pathSeparator() + anio);

    FolderChooser chooser;
    chooser.openFolder(scratch.path());
    const std::vector<FolderRow>& rows = chooser.rows();
    ASSERT_EQ(rows.back().name, secretaria);
    ASSERT_EQ(rows.back().path, scratch.file(secretaria));

    chooser.openFolder(rows.back().path);
    ASSERT_EQ(chooser.rows().back().name, anio);
    chooser.openFolder(chooser.rows().back().path);
    const std::string expected = scratch.file(secretaria) + platform::pathSeparator() + anio;
    EXPECT_EQ(chooser.directory(), expected);
    EXPECT_EQ(platform::currentFolder(), expected);
    EXPECT_EQ(platform::pathKind(chooser.directory()), platform::PathKind::Folder);
    // The way down names each folder as the list showed it.
    const std::vector<FolderRow>& way = chooser.rows();
    ASSERT_GE(way.size(), 3u);
    EXPECT_EQ(way[size_t(chooser.currentRow())].name, anio);
    EXPECT_EQ(way[size_t(chooser.currentRow()) - 1].name, secretaria);
    EXPECT_EQ(way[size_t(chooser.currentRow()) - 1].path, scratch.file(secretaria));
}

TEST_F(FolderChooserTest, PathsAreCleanedAndTheRootIsNamedWhole) {
    makeFolder(scratch.file("a"));
    makeFolder(scratch.file("b"));
    const char sep = platform::pathSeparator();
    const std::string s(1, sep);
    FolderChooser chooser;
    struct Case {
        std::string typed, opened;
    };
    const std::vector<Case> cases{
        {scratch.path() + s + "a" + s + ".." + s + "b" + s + "." + s, scratch.file("b")},
        {scratch.path() + s + s + "a" + s + s, scratch.file("a")},
        {"..", scratch.path()}, // relative to the folder opened before
    };
    for (const Case& c : cases) {
        chooser.openFolder(c.typed);
        EXPECT_EQ(chooser.directory(), c.opened) << c.typed;
    }

    const platform::PathSteps steps = platform::stepsOf(scratch.path());
    chooser.openFolder(steps.root);
    EXPECT_EQ(chooser.directory(), steps.root);
    EXPECT_EQ(chooser.currentRow(), 0);
    EXPECT_EQ(chooser.rows()[0].name, steps.root);
    EXPECT_EQ(chooser.rows()[0].icon, FolderIcon::Current);
}

TEST(PathSteps, RootAndNamesOfAnAbsolutePath) {
    struct Case {
        std::string path, root;
        std::vector<std::string> names;
    };
#ifdef _WIN32
    const std::vector<Case> cases{
        {"C:\\", "C:\\", {}},
        {"C:\\SICE\\2026-2027", "C:\\", {"SICE", "2026-2027"}},
        {"\\\\servidor\\datos", "\\\\servidor\\datos\\", {}},
        {"\\\\servidor\\datos\\SICE\\A\xF1o", "\\\\servidor\\datos\\", {"SICE", "A\xF1o"}},
    };
#else
    const std::vector<Case> cases{
        {"/", "/", {}},
        {"/home/secretaria/SICE", "/", {"home", "secretaria", "SICE"}},
        {"/A\xF1o", "/", {"A\xF1o"}},
    };
#endif
    for (const Case& c : cases) {
        const platform::PathSteps steps = platform::stepsOf(c.path);
        EXPECT_EQ(steps.root, c.root) << c.path;
        EXPECT_EQ(steps.names, c.names) << c.path;
    }
}

} // namespace
} // namespace tts::app
