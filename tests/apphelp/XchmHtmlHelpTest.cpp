#include "app/help/XchmHtmlHelp.h"

#include "app/ExecutableFolder.h"
#include "app/help/HelpCommands.h"
#include "app/help/ProgramHelp.h"
#include "app/help/XchmCommandLine.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tts::app {
namespace {

namespace fs = std::filesystem;

using Arguments = std::vector<std::string>;

TEST(XchmCommandLine, OpensTheFileAndAContextWithDashC) {
    const std::string keyword = "Tablas";
    const struct {
        const char* file;
        unsigned command;
        std::uintptr_t data;
        std::optional<Arguments> arguments;
    } cases[] = {
        {"/opt/tts/SICE.chm", htmlhelp::DisplayToc, 0, Arguments{"/opt/tts/SICE.chm"}},
        {"/opt/tts/SICE.chm", htmlhelp::HelpContext, 3, Arguments{"-c", "3", "/opt/tts/SICE.chm"}},
        {"/opt/tts/SICE.chm::/intro.htm", htmlhelp::DisplayTopic, 0,
         Arguments{"/opt/tts/SICE.chm"}},
        {"/opt/tts/SICE.chm", htmlhelp::DisplayIndex,
         reinterpret_cast<std::uintptr_t>(keyword.c_str()), Arguments{"/opt/tts/SICE.chm"}},
        {"/opt/tts/SICE.chm", htmlhelp::CloseAll, 0, std::nullopt},
        {"/opt/tts/SICE.chm", 0x0099, 0, std::nullopt},
        {nullptr, htmlhelp::DisplayToc, 0, std::nullopt},
        {"", htmlhelp::DisplayToc, 0, std::nullopt},
        {"::/intro.htm", htmlhelp::DisplayTopic, 0, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(xchmCommandLine(c.file, c.command, c.data), c.arguments)
            << (c.file ? c.file : "(none)") << " command " << c.command;
}

// A folder holding a stand-in for xchm that writes its arguments to args.<pid> and then stays
// open, as a viewer does, until it is ended.
class FakeXchm {
public:
    FakeXchm() {
        const fs::path script = folder_ / "xchm";
        std::ofstream(script)
            << "#!/bin/sh\n"
               "out=\"$(dirname \"$0\")/args.$$\"\n"
               "printf '%s\\n' \"$@\" > \"$out.tmp\" && mv \"$out.tmp\" \"$out\"\n"
               "exec sleep 60\n";
        fs::permissions(script,
                        fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    }
    std::string folder() const { return scratch_.path(); }

    // The arguments the viewer with that process id was started with; waits for it to write them.
    Arguments argumentsOf(long pid) const {
        const fs::path file = folder_ / ("args." + std::to_string(pid));
        for (int i = 0; i < 500 && !fs::exists(file); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::ifstream in(file);
        Arguments arguments;
        for (std::string line; std::getline(in, line);)
            arguments.push_back(line);
        return arguments;
    }

    // The arguments of every viewer started so far, sorted, once `count` of them have written.
    std::vector<Arguments> startedViewers(std::size_t count) const {
        std::vector<Arguments> started;
        for (int i = 0; i < 500; ++i) {
            started.clear();
            for (const auto& entry : fs::directory_iterator(folder_)) {
                const std::string name = entry.path().filename().string();
                if (name.rfind("args.", 0) == 0 && entry.path().extension() != ".tmp")
                    started.push_back(argumentsOf(std::stoi(name.substr(5))));
            }
            if (started.size() >= count)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        std::sort(started.begin(), started.end());
        return started;
    }

private:
    tts::test::TempFolder scratch_;
    fs::path folder_{scratch_.path()};
};

// Waits until the library has no running viewer left; false if they are still there after a while.
bool viewersEnd(XchmHtmlHelp& library) {
    for (int i = 0; i < 500; ++i) {
        if (library.runningViewers().empty())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

TEST(XchmHtmlHelp, WithoutXchmOnThePathThereIsNoEntry) {
    const tts::test::TempFolder scratch;
    const fs::path empty = scratch.path();
    // Not executable: not a viewer.
    std::ofstream(empty / "xchm") << "#!/bin/sh\n";
    fs::permissions(empty / "xchm", fs::perms::owner_read | fs::perms::owner_write);

    XchmHtmlHelp library(empty.string() + ":/nonexistent/folder");
    EXPECT_EQ(library.viewerProgram(), "");
    EXPECT_FALSE(library.entry());
}

TEST(XchmHtmlHelp, AnEmptyPathEntryDoesNotMeanTheWorkingFolder) {
    FakeXchm xchm;
    const auto previous = fs::current_path();
    fs::current_path(xchm.folder());
    XchmHtmlHelp library("::");
    fs::current_path(previous);
    EXPECT_FALSE(library.entry());
}

// Waits until `viewer` has ended and been reaped by the library.
bool viewerEnds(XchmHtmlHelp& library, long viewer) {
    for (int i = 0; i < 500; ++i) {
        const auto running = library.runningViewers();
        if (std::find(running.begin(), running.end(), viewer) == running.end())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

TEST(XchmHtmlHelp, StartsADetachedViewerPerRequestInPlaceOfTheOneBefore) {
    FakeXchm xchm;
    XchmHtmlHelp library("/nonexistent:" + xchm.folder());
    ASSERT_EQ(library.viewerProgram(), xchm.folder() + "/xchm");
    auto htmlHelp = library.entry();
    ASSERT_TRUE(htmlHelp);

    // The call returns while its viewer is still open.
    const auto contextViewer =
        static_cast<long>(htmlHelp(0, "/opt/tts/SICE.chm", htmlhelp::HelpContext, 3));
    ASSERT_GT(contextViewer, 0);
    EXPECT_EQ(xchm.argumentsOf(contextViewer), (Arguments{"-c", "3", "/opt/tts/SICE.chm"}));
    EXPECT_EQ(library.runningViewers(), std::vector<long>{contextViewer});

    const auto contentsViewer =
        static_cast<long>(htmlHelp(0, "/opt/tts/SICE.chm", htmlhelp::DisplayToc, 0));
    ASSERT_GT(contentsViewer, 0);
    EXPECT_EQ(xchm.argumentsOf(contentsViewer), (Arguments{"/opt/tts/SICE.chm"}));
    EXPECT_TRUE(viewerEnds(library, contextViewer));
    EXPECT_EQ(library.runningViewers(), std::vector<long>{contentsViewer});

    EXPECT_EQ(htmlHelp(0, nullptr, htmlhelp::CloseAll, 0), 0);
    EXPECT_TRUE(viewersEnd(library));
}

TEST(XchmHtmlHelp, UnloadingEndsTheViewersItStarted) {
    FakeXchm xchm;
    long viewer = 0;
    {
        XchmHtmlHelp library(xchm.folder());
        viewer =
            static_cast<long>(library.entry()(0, "/opt/tts/SICE.chm", htmlhelp::DisplayToc, 0));
        ASSERT_GT(viewer, 0);
        ASSERT_EQ(xchm.argumentsOf(viewer).size(), 1u);
    }
    // A viewer that ended at once was reaped by the library itself; the fake one never ends on
    // its own, so either way only the unloading can have ended it.
    int status = 0;
    const pid_t reaped = ::waitpid(viewer, &status, 0);
    if (reaped == -1 && errno == ECHILD) {
        EXPECT_NE(::kill(viewer, 0), 0);
        return;
    }
    ASSERT_EQ(reaped, viewer);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
}

TEST(ProgramHelpWithXchm, ButtonAndF1OpenSiceChmOfTheProgramFolderInXchm) {
    FakeXchm xchm;
    const std::string savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", xchm.folder().c_str(), 1);
    auto help = createHelp();
    ::setenv("PATH", savedPath.c_str(), 1);

    const std::string folder = executableFolder();
    ASSERT_TRUE(fs::exists(folder + "tests_apphelp")) << folder;

    auto& programHelp = dynamic_cast<ProgramHelp&>(*help);
    EXPECT_EQ(programHelp.currentHelpFile(), "SICE.chm");

    // One request at a time: each viewer gives way to the next, maybe before it has written.
    help->contents("SICE.chm");
    EXPECT_EQ(xchm.startedViewers(1), (std::vector<Arguments>{{folder + "SICE.chm"}}));
    help->context(3, "SICE.chm");
    EXPECT_EQ(xchm.startedViewers(2),
              (std::vector<Arguments>{{"-c", "3", folder + "SICE.chm"}, {folder + "SICE.chm"}}));
    help.reset();
}

} // namespace
} // namespace tts::app
