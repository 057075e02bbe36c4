#pragma once

#include "app/help/HtmlHelpEntry.h"
#include "app/help/ICustomHelpViewer.h"
#include "app/help/IExtendedHelpViewer.h"
#include "app/help/IHelpManager.h"
#include "app/help/IHelpSelector.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tts::app {

// The application's help manager: keeps the registered viewers and hands each request to the
// viewer that claims it.
class HelpManager : public IHelpManager, public std::enable_shared_from_this<HelpManager> {
public:
    // Create it through make_shared: registration hands viewers a reference to it.
    HelpManager() = default;

    // Appends the viewer to the viewer list and, when it shows topics and contexts, to that list
    // too; tells it its id; returns the reference through which the viewer reaches the manager.
    std::shared_ptr<IHelpManager> registerViewer(const std::shared_ptr<ICustomHelpViewer>& viewer);
    void setHelpSelector(std::shared_ptr<IHelpSelector> selector);

    // A WinHelp command from the application, with its data, the help file and a window.
    void helpCommand(unsigned command, std::uintptr_t data, const std::string& helpFile,
                     WindowHandle window);
    void showKeyword(const std::string& keyword, const std::string& helpFile);
    void showTopic(const std::string& topic, const std::string& helpFile);

    // The viewers' windows stand on their own: the application gives them no owner.
    WindowHandle handle() override { return 0; }
    std::string helpFile() override { return helpFile_; }
    void release(int viewerId) override;

    std::vector<std::shared_ptr<ICustomHelpViewer>> viewers() const;
    std::vector<std::shared_ptr<IExtendedHelpViewer>> contextViewers() const;

private:
    template <class Viewer> struct Entry {
        int id;
        std::shared_ptr<Viewer> viewer;
    };

    void showContext(int contextId, const std::string& helpFile);
    void showTableOfContents();
    void quit();
    void passToWinHelp(unsigned command, std::uintptr_t data, const std::string& helpFile,
                       WindowHandle window);

    std::vector<Entry<ICustomHelpViewer>> viewers_;
    std::vector<Entry<IExtendedHelpViewer>> contextViewers_;
    std::shared_ptr<IHelpSelector> selector_;
    std::string helpFile_;
    int lastViewerId_ = 0;
};

} // namespace tts::app
