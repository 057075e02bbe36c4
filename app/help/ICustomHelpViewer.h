#pragma once

#include <string>
#include <vector>

namespace tts::app {

// A help viewer as the help manager sees it: it names itself, says which requests it can
// serve and serves them.
class ICustomHelpViewer {
public:
    virtual ~ICustomHelpViewer() = default;
    virtual std::string viewerName() = 0;
    // How many ways the viewer has to show the keyword; 0 when it has none.
    virtual int understandsKeyword(const std::string& keyword) = 0;
    // The lines the selector chooses from when several viewers know the keyword.
    virtual std::vector<std::string> helpStrings(const std::string& keyword) = 0;
    virtual bool canShowTableOfContents() = 0;
    virtual void showTableOfContents() = 0;
    virtual void showHelp(const std::string& keyword) = 0;
    virtual void notifyId(int viewerId) = 0;
    // Closes what the viewer has open; the viewer stays registered.
    virtual void softShutDown() = 0;
    // Closes what it has open and lets go of the help manager.
    virtual void shutDown() = 0;
};

} // namespace tts::app
