#pragma once

#include "app/help/ICustomHelpViewer.h"
#include "app/help/IExtendedHelpViewer.h"
#include "app/help/IHelpManager.h"
#include "app/help/ISpecialWinHelpViewer.h"
#include "app/help/IWinHelpTester.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace tts::app {

// The shape of the WinHelp call: window, help file, command, data.
using WinHelpEntry = std::function<bool(WindowHandle window, const char* helpFile, unsigned command,
                                        std::uintptr_t data)>;

// The window framework's own viewer, which passes every request to the old WinHelp program. Before
// it claims a keyword, topic or context it asks its tester, when it has one.
class WinHelpViewer : public ICustomHelpViewer,
                      public IExtendedHelpViewer,
                      public ISpecialWinHelpViewer {
public:
    // An empty entry stands for a system without WinHelp: the calls are skipped.
    explicit WinHelpViewer(WinHelpEntry winHelp);

    void setTester(std::shared_ptr<IWinHelpTester> tester) { tester_ = std::move(tester); }
    const std::shared_ptr<IWinHelpTester>& tester() const { return tester_; }
    void attach(std::shared_ptr<IHelpManager> manager) { manager_ = std::move(manager); }

    std::string viewerName() override;
    int understandsKeyword(const std::string& keyword) override;
    std::vector<std::string> helpStrings(const std::string& keyword) override;
    bool canShowTableOfContents() override;
    void showTableOfContents() override;
    void showHelp(const std::string& keyword) override;
    void notifyId(int viewerId) override { viewerId_ = viewerId; }
    void softShutDown() override;
    void shutDown() override;

    bool understandsTopic(const std::string& topic) override;
    void displayTopic(const std::string& topic) override;
    bool understandsContext(int contextId, const std::string& helpFileName) override;
    void displayHelpByContext(int contextId, const std::string& helpFileName) override;

    bool callWinHelp(WindowHandle window, const std::string& helpFile, unsigned command,
                     std::uintptr_t data) override;

    int viewerId() const { return viewerId_; }

private:
    std::string helpFile(const std::string& name);
    WindowHandle owner();

    WinHelpEntry winHelp_;
    std::shared_ptr<IWinHelpTester> tester_;
    std::shared_ptr<IHelpManager> manager_;
    int viewerId_ = 0;
};

// The platform's WinHelp entry: none here, since no system this program runs on still has WinHelp.
WinHelpEntry platformWinHelp();

} // namespace tts::app
