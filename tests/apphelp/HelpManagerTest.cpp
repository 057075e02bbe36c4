#include "app/help/HelpManager.h"

#include "app/help/HelpCommands.h"

#include <gtest/gtest.h>

namespace tts::app {
namespace {

using Events = std::vector<std::string>;

// A viewer that writes down what it is asked and shown, as "name: event".
class FakeViewer : public ICustomHelpViewer, public IExtendedHelpViewer {
public:
    FakeViewer(std::string name, std::shared_ptr<Events> events, bool claims)
        : name_(std::move(name)), events_(std::move(events)), claims_(claims) {}

    std::string viewerName() override { return name_; }
    int understandsKeyword(const std::string&) override { return claims_ ? 1 : 0; }
    std::vector<std::string> helpStrings(const std::string& keyword) override {
        return {name_ + ": " + keyword};
    }
    bool canShowTableOfContents() override { return claims_; }
    void showTableOfContents() override { note("contents"); }
    void showHelp(const std::string& keyword) override { note("keyword " + keyword); }
    void notifyId(int viewerId) override { id = viewerId; }
    void softShutDown() override { note("soft shutdown"); }
    void shutDown() override { note("shutdown"); }
    bool understandsTopic(const std::string&) override { return claims_; }
    void displayTopic(const std::string& topic) override { note("topic " + topic); }
    bool understandsContext(int contextId, const std::string& file) override {
        note("asked context " + std::to_string(contextId) + " " + file);
        return claims_;
    }
    void displayHelpByContext(int contextId, const std::string&) override {
        note("context " + std::to_string(contextId));
    }

    int id = 0;

private:
    void note(const std::string& event) { events_->push_back(name_ + ": " + event); }

    std::string name_;
    std::shared_ptr<Events> events_;
    bool claims_;
};

class FakeSelector : public IHelpSelector {
public:
    int selectKeyword(const std::vector<std::string>& lines) override {
        offered = lines;
        return answer;
    }
    int tableOfContents(const std::vector<std::string>& names) override {
        offered = names;
        return answer;
    }
    std::vector<std::string> offered;
    int answer = 0;
};

class HelpManagerTest : public ::testing::Test {
protected:
    std::shared_ptr<FakeViewer> add(const std::string& name, bool claims) {
        auto viewer = std::make_shared<FakeViewer>(name, events, claims);
        EXPECT_EQ(manager->registerViewer(viewer).get(), manager.get());
        return viewer;
    }

    std::shared_ptr<Events> events = std::make_shared<Events>();
    std::shared_ptr<HelpManager> manager = std::make_shared<HelpManager>();
    std::shared_ptr<FakeSelector> selector = std::make_shared<FakeSelector>();
};

TEST_F(HelpManagerTest, ContextGoesToTheFirstViewerInRegistrationOrderThatClaimsIt) {
    add("A", false);
    add("B", true);
    add("C", true);
    manager->helpCommand(winhelp::HelpContext, 3, "SICE.chm", 0);

    EXPECT_EQ(*events, (Events{"A: asked context 3 SICE.chm", "B: asked context 3 SICE.chm",
                               "B: context 3"}));
    EXPECT_EQ(manager->helpFile(), "SICE.chm");
}

TEST_F(HelpManagerTest, ContextThatNobodyClaimsShowsNothing) {
    add("A", false);
    manager->helpCommand(winhelp::HelpContext, 3, "SICE.hlp", 0);
    EXPECT_EQ(*events, (Events{"A: asked context 3 SICE.hlp"}));
}

TEST_F(HelpManagerTest, ContentsOfSeveralViewersAreOfferedSortedToTheSelector) {
    add("Zeta", true);
    add("Alfa", true);
    add("Nadie", false);
    add("Beta", true);
    manager->setHelpSelector(selector);

    selector->answer = 2;
    manager->helpCommand(winhelp::HelpContents, 0, "SICE.chm", 0);
    EXPECT_EQ(selector->offered, (std::vector<std::string>{"Alfa", "Beta", "Zeta"}));
    EXPECT_EQ(*events, (Events{"Zeta: contents"}));

    // A choice outside the list shows nothing.
    events->clear();
    selector->answer = -1;
    manager->helpCommand(winhelp::HelpContents, 0, "SICE.chm", 0);
    selector->answer = 3;
    manager->helpCommand(winhelp::HelpContents, 0, "SICE.chm", 0);
    EXPECT_TRUE(events->empty());
}

TEST_F(HelpManagerTest, ContentsOfASingleViewerNeedNoSelector) {
    add("Nadie", false);
    add("Solo", true);
    manager->setHelpSelector(selector);
    manager->helpCommand(winhelp::HelpContents, 0, "SICE.chm", 0);
    EXPECT_EQ(*events, (Events{"Solo: contents"}));
    EXPECT_TRUE(selector->offered.empty());
}

TEST_F(HelpManagerTest, KeywordOfSeveralViewersGoesToTheOwnerOfTheChosenLine) {
    add("Zeta", true);
    add("Alfa", true);
    manager->setHelpSelector(selector);
    selector->answer = 1;
    manager->showKeyword("Tablas", "SICE.chm");

    EXPECT_EQ(selector->offered, (std::vector<std::string>{"Alfa: Tablas", "Zeta: Tablas"}));
    EXPECT_EQ(*events, (Events{"Zeta: keyword Zeta: Tablas"}));
}

TEST_F(HelpManagerTest, KeywordOfASingleViewerIsShownAsGiven) {
    add("Nadie", false);
    add("Solo", true);
    manager->showKeyword("Tablas", "SICE.chm");
    EXPECT_EQ(*events, (Events{"Solo: keyword Tablas"}));
}

TEST_F(HelpManagerTest, QuitShutsEveryViewerSoftly) {
    add("A", false);
    add("B", true);
    manager->helpCommand(winhelp::HelpQuit, 0, "SICE.chm", 0);
    EXPECT_EQ(*events, (Events{"A: soft shutdown", "B: soft shutdown"}));
}

TEST_F(HelpManagerTest, ViewersGetIncreasingIdsAndReleaseRemovesOneFromEveryList) {
    auto a = add("A", true);
    auto b = add("B", true);
    EXPECT_LT(a->id, b->id);

    manager->release(a->id);
    manager->release(12345); // no such viewer: nothing happens
    ASSERT_EQ(manager->viewers().size(), 1u);
    EXPECT_EQ(manager->viewers()[0], b);
    ASSERT_EQ(manager->contextViewers().size(), 1u);
    EXPECT_EQ(manager->contextViewers()[0].get(), static_cast<IExtendedHelpViewer*>(b.get()));

    manager->helpCommand(winhelp::HelpContext, 3, "SICE.chm", 0);
    manager->helpCommand(winhelp::HelpQuit, 0, "SICE.chm", 0);
    EXPECT_EQ(*events, (Events{"B: asked context 3 SICE.chm", "B: context 3", "B: soft shutdown"}));
}

} // namespace
} // namespace tts::app
