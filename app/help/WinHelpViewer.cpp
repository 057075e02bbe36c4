#include "app/help/WinHelpViewer.h"

#include "app/help/ChmFileName.h"
#include "app/help/HelpCommands.h"

#include <utility>

namespace tts::app {

WinHelpViewer::WinHelpViewer(WinHelpEntry winHelp) : winHelp_(std::move(winHelp)) {}

std::string WinHelpViewer::viewerName() {
    return "WinHelp";
}

WindowHandle WinHelpViewer::owner() {
    return manager_ ? manager_->handle() : 0;
}

// The file WinHelp is given: the manager's, else the tester's default, behind the tester's path
// when the name has no folder of its own.
std::string WinHelpViewer::helpFile(const std::string& name) {
    std::string file = name;
    if (file.empty() && manager_)
        file = manager_->helpFile();
    if (!tester_)
        return file;
    if (file.empty())
        file = tester_->defaultHelpFile();
    const std::string path = tester_->helpPath();
    if (!file.empty() && !path.empty() && !hasFolderPart(file))
        file = path + file;
    return file;
}

int WinHelpViewer::understandsKeyword(const std::string& keyword) {
    if (tester_)
        return tester_->canShowALink(keyword, helpFile({})) ? 1 : 0;
    return 1;
}

std::vector<std::string> WinHelpViewer::helpStrings(const std::string& keyword) {
    if (tester_)
        return tester_->helpStrings(keyword);
    return {viewerName() + ": " + keyword};
}

bool WinHelpViewer::canShowTableOfContents() {
    return true;
}

void WinHelpViewer::showTableOfContents() {
    callWinHelp(owner(), helpFile({}), winhelp::HelpContents, 0);
}

void WinHelpViewer::showHelp(const std::string& keyword) {
    callWinHelp(owner(), helpFile({}), winhelp::HelpKey,
                reinterpret_cast<std::uintptr_t>(keyword.c_str()));
}

void WinHelpViewer::softShutDown() {
    callWinHelp(0, {}, winhelp::HelpQuit, 0);
}

void WinHelpViewer::shutDown() {
    softShutDown();
    manager_.reset();
}

bool WinHelpViewer::understandsTopic(const std::string& topic) {
    return tester_ ? tester_->canShowTopic(topic, helpFile({})) : true;
}

void WinHelpViewer::displayTopic(const std::string& topic) {
    // WinHelp jumps to a topic by its id through its JumpID macro.
    const std::string file = helpFile({});
    const std::string macro = "JumpID(\"" + file + "\",\"" + topic + "\")";
    callWinHelp(owner(), file, winhelp::HelpCommand,
                reinterpret_cast<std::uintptr_t>(macro.c_str()));
}

bool WinHelpViewer::understandsContext(int contextId, const std::string& helpFileName) {
    return tester_ ? tester_->canShowContext(contextId, helpFile(helpFileName)) : true;
}

void WinHelpViewer::displayHelpByContext(int contextId, const std::string& helpFileName) {
    callWinHelp(owner(), helpFile(helpFileName), winhelp::HelpContext,
                static_cast<std::uintptr_t>(static_cast<unsigned>(contextId)));
}

bool WinHelpViewer::callWinHelp(WindowHandle window, const std::string& helpFile, unsigned command,
                                std::uintptr_t data) {
    if (!winHelp_)
        return false;
    return winHelp_(window, helpFile.empty() ? nullptr : helpFile.c_str(), command, data);
}

WinHelpEntry platformWinHelp() {
    return {};
}

} // namespace tts::app
