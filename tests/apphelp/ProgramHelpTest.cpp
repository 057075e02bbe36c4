#include "app/help/ProgramHelp.h"

#include "RecordingHtmlHelp.h"
#include "app/help/TChmHelpViewer.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tts::app {
namespace {

using testing::HelpCall;
using testing::HtmlHelpLog;
using testing::RecordingHtmlHelp;

constexpr const char* programFolder = "/opt/transTalvorSice/";

// The program's help as start-up sets it up, with HTML Help and WinHelp recorded.
class ProgramHelpTest : public ::testing::Test {
protected:
    ProgramHelpTest() { help.setApplicationHelpFile("SICE.chm"); }

    std::shared_ptr<HtmlHelpLog> htmlHelp = std::make_shared<HtmlHelpLog>();
    std::shared_ptr<std::vector<HelpCall>> winHelp = std::make_shared<std::vector<HelpCall>>();
    ProgramHelp help{std::make_unique<RecordingHtmlHelp>(htmlHelp), programFolder,
                     testing::recordingWinHelp(winHelp)};
};

TEST_F(ProgramHelpTest, HelpButtonOpensTheContentsOfSiceChmInTheProgramFolder) {
    help.contents("SICE.chm");

    const std::vector<HelpCall> expected{
        {0, "/opt/transTalvorSice/SICE.chm", htmlhelp::DisplayToc, 0, {}}};
    EXPECT_EQ(htmlHelp->calls, expected);
    EXPECT_TRUE(winHelp->empty());
    EXPECT_EQ(help.currentHelpFile(), "SICE.chm");
}

TEST_F(ProgramHelpTest, F1OpensHelpContext3AndWinHelpDeclines) {
    help.context(3, "SICE.chm");

    const std::vector<HelpCall> expected{
        {0, "/opt/transTalvorSice/SICE.chm", htmlhelp::HelpContext, 3, {}}};
    EXPECT_EQ(htmlHelp->calls, expected);
    EXPECT_TRUE(winHelp->empty());
}

TEST_F(ProgramHelpTest, F1WithoutAFileUsesTheActiveWindowsHelpFileBeforeTheApplications) {
    help.context(3, "");
    help.setActiveWindowHelpFile("Otra.chm");
    help.context(3, "");

    ASSERT_EQ(htmlHelp->calls.size(), 2u);
    EXPECT_EQ(htmlHelp->calls[0].file, "/opt/transTalvorSice/SICE.chm");
    EXPECT_EQ(htmlHelp->calls[1].file, "/opt/transTalvorSice/Otra.chm");
}

TEST_F(ProgramHelpTest, ABareNameIsLookedUpInTheProgramFolderNeverInTheWorkingFolder) {
    // The folder chooser moves the working folder about; a SICE.chm there must not be picked.
    const auto previous = std::filesystem::current_path();
    const test::TempFolder elsewhere;
    std::ofstream(elsewhere.file("SICE.chm")) << "not the help";
    std::filesystem::current_path(elsewhere.path());

    help.contents("SICE.chm");
    help.contents("manuales/SICE.chm");

    std::filesystem::current_path(previous);
    ASSERT_EQ(htmlHelp->calls.size(), 2u);
    EXPECT_EQ(htmlHelp->calls[0].file, "/opt/transTalvorSice/SICE.chm");
    // A name with a folder of its own is taken as it is.
    EXPECT_EQ(htmlHelp->calls[1].file, "manuales/SICE.chm");
}

TEST_F(ProgramHelpTest, AHelpFileThatIsNotAChmIsDeclinedAndItsContentsDoNothing) {
    help.setApplicationHelpFile("SICE.hlp");
    help.context(3, "SICE.hlp");
    help.contents("SICE.hlp");
    help.manager().showKeyword("Tablas", "SICE.hlp");
    help.manager().showTopic("ventana", "SICE.hlp");

    EXPECT_TRUE(htmlHelp->calls.empty());
    // WinHelp gets none of them either: its tester keeps contexts, keywords and topics away, and
    // the selector gives the contents to the CHM viewer.
    EXPECT_TRUE(winHelp->empty());
}

TEST_F(ProgramHelpTest, QuitClosesEveryHtmlHelpWindowWithoutOwnerOrFile) {
    help.contents("SICE.chm");
    help.manager().helpCommand(winhelp::HelpQuit, 0, "SICE.chm", 0x77);

    ASSERT_EQ(htmlHelp->calls.size(), 2u);
    EXPECT_EQ(htmlHelp->calls[1], (HelpCall{0, std::nullopt, htmlhelp::CloseAll, 0, {}}));
    const std::vector<HelpCall> winHelpQuit{{0, std::nullopt, winhelp::HelpQuit, 0, {}}};
    EXPECT_EQ(*winHelp, winHelpQuit);
}

TEST_F(ProgramHelpTest, OtherWinHelpCommandsGoUnchangedToWinHelpOnly) {
    const std::string key = "Tablas";
    help.manager().helpCommand(winhelp::HelpKey, reinterpret_cast<std::uintptr_t>(key.c_str()),
                               "SICE.chm", 0x55);
    help.manager().helpCommand(0x0105, 42, "SICE.chm", 0x55);

    EXPECT_TRUE(htmlHelp->calls.empty());
    ASSERT_EQ(winHelp->size(), 2u);
    EXPECT_EQ((*winHelp)[0], (HelpCall{0x55, "SICE.chm", winhelp::HelpKey,
                                       reinterpret_cast<std::uintptr_t>(key.c_str()), "Tablas"}));
    EXPECT_EQ((*winHelp)[1], (HelpCall{0x55, "SICE.chm", 0x0105, 42, {}}));
}

TEST_F(ProgramHelpTest, TheViewerIsRegisteredAfterWinHelpAndIsTheSelector) {
    auto viewers = help.manager().viewers();
    ASSERT_EQ(viewers.size(), 2u);
    EXPECT_EQ(viewers[0]->viewerName(), "WinHelp");
    EXPECT_EQ(viewers[1]->viewerName(), "HTML Help");
    EXPECT_EQ(help.manager().contextViewers().size(), 2u);
    ASSERT_NE(TChmHelpViewer::instance(), nullptr);
    EXPECT_EQ(TChmHelpViewer::instance()->viewerId(), 2);
    EXPECT_NE(TChmHelpViewer::instance()->helpManager(), nullptr);
    EXPECT_NE(help.winHelpViewer().tester(), nullptr);
}

TEST_F(ProgramHelpTest, ReleaseAtExitRemovesTheViewerEverywhereAndUnloadsHtmlHelp) {
    help.release();

    EXPECT_EQ(TChmHelpViewer::instance(), nullptr);
    EXPECT_TRUE(htmlHelp->unloaded);
    auto viewers = help.manager().viewers();
    ASSERT_EQ(viewers.size(), 1u);
    EXPECT_EQ(viewers[0]->viewerName(), "WinHelp");
    EXPECT_EQ(help.manager().contextViewers().size(), 1u);

    // Later requests no longer reach it; the contents fall to WinHelp, the only viewer left.
    help.context(3, "SICE.chm");
    help.contents("SICE.chm");
    EXPECT_TRUE(htmlHelp->calls.empty());
    ASSERT_EQ(winHelp->size(), 1u);
    EXPECT_EQ((*winHelp)[0].command, winhelp::HelpContents);
    help.release(); // a second exit does nothing
}

TEST(ProgramHelpExit, EndingTheProgramsHelpUnloadsHtmlHelp) {
    auto log = std::make_shared<HtmlHelpLog>();
    {
        ProgramHelp help(std::make_unique<RecordingHtmlHelp>(log), programFolder);
        help.contents("SICE.chm");
    }
    EXPECT_TRUE(log->unloaded);
    EXPECT_EQ(TChmHelpViewer::instance(), nullptr);
}

TEST(ProgramHelpWithoutHtmlHelp, EveryRequestIsSilentlyIgnored) {
    auto log = std::make_shared<HtmlHelpLog>();
    auto winHelp = std::make_shared<std::vector<HelpCall>>();
    ProgramHelp help(std::make_unique<RecordingHtmlHelp>(log, /*withEntry=*/false), programFolder,
                     testing::recordingWinHelp(winHelp));
    help.setApplicationHelpFile("SICE.chm");

    EXPECT_NO_THROW(help.contents("SICE.chm"));
    EXPECT_NO_THROW(help.context(3, "SICE.chm"));
    EXPECT_NO_THROW(help.manager().helpCommand(winhelp::HelpQuit, 0, "SICE.chm", 0));

    EXPECT_TRUE(log->calls.empty());
    ASSERT_NE(TChmHelpViewer::instance(), nullptr);
    EXPECT_FALSE(TChmHelpViewer::instance()->hasHtmlHelp());
    // WinHelp still gets no contents and no context: only its quit.
    ASSERT_EQ(winHelp->size(), 1u);
    EXPECT_EQ((*winHelp)[0].command, winhelp::HelpQuit);
}

} // namespace
} // namespace tts::app
