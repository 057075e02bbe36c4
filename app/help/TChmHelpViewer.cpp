#include "app/help/TChmHelpViewer.h"

#include "app/help/ChmFileName.h"
#include "app/help/HelpCommands.h"

#include "base/CaseTable.h"
#include "base/Text.h"

#include <utility>

namespace tts::app {

namespace {

TChmHelpViewer* processViewer = nullptr;

} // namespace

TChmHelpViewer::TChmHelpViewer(std::unique_ptr<HtmlHelpLibrary> library,
                               std::function<std::string()> applicationHelpFile,
                               std::string programFolder)
    : name_("HTML Help"), library_(std::move(library)), defaultTopicExtension_(".htm"),
      applicationHelpFile_(std::move(applicationHelpFile)),
      programFolder_(std::move(programFolder)) {
    if (library_)
        htmlHelp_ = library_->entry();
    processViewer = this;
}

TChmHelpViewer::~TChmHelpViewer() {
    if (processViewer == this)
        processViewer = nullptr;
    htmlHelp_ = nullptr;
    library_.reset();
}

TChmHelpViewer* TChmHelpViewer::instance() {
    return processViewer;
}

std::string TChmHelpViewer::currentChmPath() {
    std::string name = helpManager_ ? helpManager_->helpFile() : std::string();
    if (name.empty() && applicationHelpFile_)
        name = applicationHelpFile_();
    if (!name.empty() && !hasFolderPart(name))
        name = programFolder_ + name;
    return name;
}

WindowHandle TChmHelpViewer::owner() {
    return helpManager_ ? helpManager_->handle() : 0;
}

void TChmHelpViewer::htmlHelp(WindowHandle owner, const char* file, unsigned command,
                              std::uintptr_t data) {
    if (htmlHelp_)
        htmlHelp_(owner, file, command, data);
}

std::string TChmHelpViewer::viewerName() {
    return name_;
}

int TChmHelpViewer::understandsKeyword(const std::string&) {
    return isChmFileName(currentChmPath()) ? 1 : 0;
}

std::vector<std::string> TChmHelpViewer::helpStrings(const std::string& keyword) {
    return {name_ + ": " + keyword};
}

bool TChmHelpViewer::canShowTableOfContents() {
    return true;
}

void TChmHelpViewer::showTableOfContents() {
    const std::string path = currentChmPath();
    if (isChmFileName(path))
        htmlHelp(owner(), path.c_str(), htmlhelp::DisplayToc, 0);
}

void TChmHelpViewer::showHelp(const std::string& keyword) {
    const std::string path = currentChmPath();
    if (!isChmFileName(path))
        return;
    // The selector hands over a whole line, "viewer name: keyword".
    const auto colon = keyword.find(':');
    const std::string word(
        trimmedOfControls(colon == std::string::npos ? keyword : keyword.substr(colon + 1)));
    htmlHelp(owner(), path.c_str(), htmlhelp::DisplayIndex,
             reinterpret_cast<std::uintptr_t>(word.c_str()));
}

void TChmHelpViewer::notifyId(int viewerId) {
    viewerId_ = viewerId;
}

void TChmHelpViewer::softShutDown() {
    htmlHelp(0, nullptr, htmlhelp::CloseAll, 0);
}

void TChmHelpViewer::shutDown() {
    softShutDown();
    helpManager_.reset();
}

bool TChmHelpViewer::understandsTopic(const std::string&) {
    return isChmFileName(currentChmPath());
}

void TChmHelpViewer::displayTopic(const std::string& topic) {
    const std::string path = currentChmPath();
    if (!isChmFileName(path))
        return;
    std::string page = topic;
    const auto dot = page.rfind('.');
    const std::string extension =
        dot == std::string::npos ? std::string() : lowerAsciiOnly(page.substr(dot));
    if (extension != ".htm" && extension != ".html")
        page += defaultTopicExtension_;
    const std::string address = path + "::/" + page;
    htmlHelp(owner(), address.c_str(), htmlhelp::DisplayTopic, 0);
}

bool TChmHelpViewer::understandsContext(int, const std::string& helpFileName) {
    return isChmFileName(helpFileName);
}

void TChmHelpViewer::displayHelpByContext(int contextId, const std::string&) {
    const std::string path = currentChmPath();
    if (isChmFileName(path))
        htmlHelp(owner(), path.c_str(), htmlhelp::HelpContext,
                 static_cast<std::uintptr_t>(static_cast<unsigned>(contextId)));
}

int TChmHelpViewer::selectKeyword(const std::vector<std::string>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto colon = lines[i].find(':');
        if (colon != std::string::npos && lines[i].compare(0, colon, name_) == 0)
            return static_cast<int>(i);
    }
    return 0;
}

int TChmHelpViewer::tableOfContents(const std::vector<std::string>& viewerNames) {
    const auto found = std::find(viewerNames.begin(), viewerNames.end(), name_);
    return found == viewerNames.end() ? -1 : static_cast<int>(found - viewerNames.begin());
}

} // namespace tts::app
