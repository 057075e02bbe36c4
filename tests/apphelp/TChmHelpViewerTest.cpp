#include "app/help/TChmHelpViewer.h"

#include "RecordingHtmlHelp.h"
#include "app/help/ChmFileName.h"

#include <gtest/gtest.h>

namespace tts::app {
namespace {

using testing::HelpCall;
using testing::HtmlHelpLog;
using testing::RecordingHtmlHelp;

// The help manager as the viewer sees it: an owner window and the file of the request.
class FakeHelpManager : public IHelpManager {
public:
    WindowHandle handle() override { return owner; }
    std::string helpFile() override { return file; }
    void release(int viewerId) override { released.push_back(viewerId); }

    WindowHandle owner = 0;
    std::string file;
    std::vector<int> released;
};

class TChmHelpViewerTest : public ::testing::Test {
protected:
    TChmHelpViewerTest() { viewer.attach(manager); }

    std::shared_ptr<HtmlHelpLog> log = std::make_shared<HtmlHelpLog>();
    std::shared_ptr<FakeHelpManager> manager = std::make_shared<FakeHelpManager>();
    std::string applicationHelpFile = "SICE.chm";
    TChmHelpViewer viewer{std::make_unique<RecordingHtmlHelp>(log),
                          [this] { return applicationHelpFile; }, "/opt/tts/"};
};

TEST_F(TChmHelpViewerTest, CurrentChmPathIsTheManagersFileElseTheApplicationsInTheProgramFolder) {
    EXPECT_EQ(viewer.currentChmPath(), "/opt/tts/SICE.chm");
    manager->file = "Ayuda.CHM";
    EXPECT_EQ(viewer.currentChmPath(), "/opt/tts/Ayuda.CHM");
    manager->file = "/srv/ayuda/Ayuda.chm";
    EXPECT_EQ(viewer.currentChmPath(), "/srv/ayuda/Ayuda.chm");
    manager->file = "C:\\AYUDA\\SICE.CHM";
    EXPECT_EQ(viewer.currentChmPath(), "C:\\AYUDA\\SICE.CHM");
    manager->file.clear();
    applicationHelpFile.clear();
    EXPECT_EQ(viewer.currentChmPath(), "");
}

TEST_F(TChmHelpViewerTest, ShowTopicAppendsHtmUnlessTheTopicIsAlreadyAPage) {
    const struct {
        const char* topic;
        const char* address;
    } cases[] = {
        {"intro", "/opt/tts/SICE.chm::/intro.htm"},
        {"x.HTML", "/opt/tts/SICE.chm::/x.HTML"},
        {"ventana.htm", "/opt/tts/SICE.chm::/ventana.htm"},
        {"notas.txt", "/opt/tts/SICE.chm::/notas.txt.htm"},
        {"v1.2/pagina", "/opt/tts/SICE.chm::/v1.2/pagina.htm"},
    };
    for (const auto& c : cases) {
        log->calls.clear();
        viewer.displayTopic(c.topic);
        const std::vector<HelpCall> expected{{0, c.address, htmlhelp::DisplayTopic, 0, {}}};
        EXPECT_EQ(log->calls, expected) << c.topic;
    }
}

TEST_F(TChmHelpViewerTest, ShowKeywordDropsTheTextUpToTheFirstColonAndTrims) {
    const struct {
        const char* line;
        const char* keyword;
    } cases[] = {
        {"WinHelp: Tablas", "Tablas"},
        {"HTML Help:   Tablas de trabajo  ", "Tablas de trabajo"},
        {"  Tablas\t", "Tablas"},
        {"a:b:c", "b:c"},
        {":", ""},
    };
    for (const auto& c : cases) {
        log->calls.clear();
        viewer.showHelp(c.line);
        ASSERT_EQ(log->calls.size(), 1u) << c.line;
        EXPECT_EQ(log->calls[0].file, "/opt/tts/SICE.chm");
        EXPECT_EQ(log->calls[0].command, htmlhelp::DisplayIndex);
        EXPECT_EQ(log->calls[0].text, c.keyword) << c.line;
    }
}

TEST_F(TChmHelpViewerTest, DisplaysGoToTheManagersOwnerWindowButCloseAllGoesWithoutWindowOrFile) {
    manager->owner = 0x1234;
    viewer.showTableOfContents();
    viewer.displayHelpByContext(3, "otro.chm");
    viewer.softShutDown();

    const std::vector<HelpCall> expected{
        {0x1234, "/opt/tts/SICE.chm", htmlhelp::DisplayToc, 0, {}},
        // The context goes to the current CHM path, not to the name it was offered with.
        {0x1234, "/opt/tts/SICE.chm", htmlhelp::HelpContext, 3, {}},
        {0, std::nullopt, htmlhelp::CloseAll, 0, {}},
    };
    EXPECT_EQ(log->calls, expected);
}

TEST_F(TChmHelpViewerTest, QueriesAnswerFromTheCurrentPathExceptTheContextQuery) {
    EXPECT_EQ(viewer.understandsKeyword("Tablas"), 1);
    EXPECT_TRUE(viewer.understandsTopic("intro"));
    EXPECT_TRUE(viewer.canShowTableOfContents());
    EXPECT_EQ(viewer.helpStrings("Tablas"), std::vector<std::string>{"HTML Help: Tablas"});

    applicationHelpFile = "SICE.hlp";
    EXPECT_EQ(viewer.understandsKeyword("Tablas"), 0);
    EXPECT_FALSE(viewer.understandsTopic("intro"));
    EXPECT_TRUE(viewer.canShowTableOfContents());
    // The context query judges the file name it is given.
    EXPECT_TRUE(viewer.understandsContext(3, "SICE.chm"));
    applicationHelpFile = "SICE.chm";
    EXPECT_FALSE(viewer.understandsContext(3, "SICE.hlp"));

    applicationHelpFile = "SICE.hlp";
    viewer.showTableOfContents();
    viewer.showHelp("Tablas");
    viewer.displayTopic("intro");
    viewer.displayHelpByContext(3, "SICE.chm");
    EXPECT_TRUE(log->calls.empty());
}

TEST_F(TChmHelpViewerTest, ShutdownClosesTheWindowsAndLetsGoOfTheManager) {
    viewer.notifyId(7);
    viewer.shutDown();
    EXPECT_EQ(viewer.viewerId(), 7);
    EXPECT_EQ(viewer.helpManager(), nullptr);
    const std::vector<HelpCall> expected{{0, std::nullopt, htmlhelp::CloseAll, 0, {}}};
    EXPECT_EQ(log->calls, expected);
}

TEST_F(TChmHelpViewerTest, SelectorPicksTheViewersOwnLineAndName) {
    EXPECT_EQ(viewer.selectKeyword({"HTML Help: Tablas", "WinHelp: Tablas"}), 0);
    EXPECT_EQ(viewer.selectKeyword({": Tablas", "HTML Help: Tablas"}), 1);
    EXPECT_EQ(viewer.selectKeyword({"HTML Helper: Tablas", "HTML Help:Tablas"}), 1);
    EXPECT_EQ(viewer.selectKeyword({"WinHelp: Tablas", ": Tablas", "HTML Help"}), 0);
    EXPECT_EQ(viewer.selectKeyword({}), 0);

    EXPECT_EQ(viewer.tableOfContents({"HTML Help", "WinHelp"}), 0);
    EXPECT_EQ(viewer.tableOfContents({"Ayuda", "WinHelp", "HTML Help"}), 2);
    EXPECT_EQ(viewer.tableOfContents({"WinHelp"}), -1);
}

TEST_F(TChmHelpViewerTest, IsTheProcessViewerWhileItLives) {
    EXPECT_EQ(TChmHelpViewer::instance(), &viewer);
}

TEST(ChmFileName, IsJudgedOnTheTextFromTheLastDot) {
    const struct {
        const char* name;
        bool chm;
    } cases[] = {
        {"SICE.chm", true},
        {"SICE.CHM", true},
        {"/opt/tts/Ayuda.Chm", true},
        {".chm", true},
        {"SICE.chm.bak", false},
        {"SICE.hlp", false},
        {"chm", false},
        {"", false},
        {"ayuda.chm/indice", false},
        {"SICE.chmx", false},
        {"SICE.ch", false},
        {"C:\\AYUDA\\SICE.CHM", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isChmFileName(c.name), c.chm) << c.name;
}

} // namespace
} // namespace tts::app
