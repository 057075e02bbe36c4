#pragma once

#include "app/help/HtmlHelpLibrary.h"
#include "app/help/ICustomHelpViewer.h"
#include "app/help/IExtendedHelpViewer.h"
#include "app/help/IHelpManager.h"
#include "app/help/IHelpSelector.h"

#include <functional>
#include <memory>
#include <string>

namespace tts::app {

// The program's own help viewer: takes the requests for ".chm" help files away from WinHelp and
// shows them through HTML Help. It is also the help system's selector, and always picks itself.
// One per process, reachable through instance() while it lives.
class TChmHelpViewer : public ICustomHelpViewer, public IExtendedHelpViewer, public IHelpSelector {
public:
    // `library` is the HTML Help loaded once for the process; `applicationHelpFile` answers the
    // application's current help file; `programFolder` ends in a separator.
    TChmHelpViewer(std::unique_ptr<HtmlHelpLibrary> library,
                   std::function<std::string()> applicationHelpFile, std::string programFolder);
    ~TChmHelpViewer() override;
    TChmHelpViewer(const TChmHelpViewer&) = delete;
    TChmHelpViewer& operator=(const TChmHelpViewer&) = delete;

    static TChmHelpViewer* instance();

    void attach(std::shared_ptr<IHelpManager> manager) { helpManager_ = std::move(manager); }
    void detach() { helpManager_.reset(); }
    const std::shared_ptr<IHelpManager>& helpManager() const { return helpManager_; }
    int viewerId() const { return viewerId_; }
    bool hasHtmlHelp() const { return static_cast<bool>(htmlHelp_); }

    // The help file every display uses: the help manager's, else the application's, with the
    // program's folder in front of a bare name.
    std::string currentChmPath();

    std::string viewerName() override;
    int understandsKeyword(const std::string& keyword) override;
    std::vector<std::string> helpStrings(const std::string& keyword) override;
    bool canShowTableOfContents() override;
    void showTableOfContents() override;
    void showHelp(const std::string& keyword) override;
    void notifyId(int viewerId) override;
    void softShutDown() override;
    void shutDown() override;

    bool understandsTopic(const std::string& topic) override;
    void displayTopic(const std::string& topic) override;
    bool understandsContext(int contextId, const std::string& helpFileName) override;
    void displayHelpByContext(int contextId, const std::string& helpFileName) override;

    int selectKeyword(const std::vector<std::string>& lines) override;
    int tableOfContents(const std::vector<std::string>& viewerNames) override;

private:
    WindowHandle owner();
    void htmlHelp(WindowHandle owner, const char* file, unsigned command, std::uintptr_t data);

    int viewerId_ = 0;
    std::string name_;
    HtmlHelpEntry htmlHelp_;
    std::unique_ptr<HtmlHelpLibrary> library_;
    std::shared_ptr<IHelpManager> helpManager_;
    std::string defaultTopicExtension_;
    std::function<std::string()> applicationHelpFile_;
    std::string programFolder_;
};

} // namespace tts::app
