#include "app/help/ProgramHelp.h"

#include "app/ExecutableFolder.h"
#include "app/ProcessState.h"
#include "app/help/HelpCommands.h"
#include "app/help/TChmHelpViewer.h"
#include "app/help/TChmWinHelpTester.h"

#include <utility>

namespace tts::app {

ProgramHelp::ProgramHelp(std::unique_ptr<HtmlHelpLibrary> library, std::string programFolder,
                         WinHelpEntry winHelp)
    : files_(std::make_shared<HelpFiles>()), manager_(std::make_shared<HelpManager>()),
      winHelpViewer_(std::make_shared<WinHelpViewer>(std::move(winHelp))) {
    // What the window framework has in place before the program's own help starts.
    winHelpViewer_->attach(manager_->registerViewer(winHelpViewer_));

    auto files = files_;
    auto viewer = std::make_shared<TChmHelpViewer>(
        std::move(library), [files] { return files->current(); }, std::move(programFolder));
    viewer->attach(manager_->registerViewer(viewer));
    manager_->setHelpSelector(viewer);
    winHelpViewer_->setTester(std::make_shared<TChmWinHelpTester>());
}

ProgramHelp::~ProgramHelp() {
    release();
    // The framework's own teardown: its WinHelp viewer goes with the manager.
    manager_->release(winHelpViewer_->viewerId());
    winHelpViewer_->attach(nullptr);
}

void ProgramHelp::release() {
    TChmHelpViewer* viewer = TChmHelpViewer::instance();
    if (viewer == nullptr || viewer->helpManager() != manager_)
        return;
    const int id = viewer->viewerId();
    // Let go of the manager before the manager lets go of the viewer: the release may be the
    // viewer's last reference.
    viewer->detach();
    manager_->release(id);
    // The selector was the viewer too.
    manager_->setHelpSelector(nullptr);
}

void ProgramHelp::contents(const std::string& helpFile) {
    setApplicationHelpFile(helpFile);
    manager_->helpCommand(winhelp::HelpContents, 0, currentHelpFile(), 0);
}

void ProgramHelp::context(int helpContext, const std::string& helpFile) {
    manager_->helpCommand(winhelp::HelpContext,
                          static_cast<std::uintptr_t>(static_cast<unsigned>(helpContext)),
                          helpFile.empty() ? currentHelpFile() : helpFile, 0);
}

void ProgramHelp::setApplicationHelpFile(std::string name) {
    files_->application = std::move(name);
}

void ProgramHelp::setActiveWindowHelpFile(std::string name) {
    files_->activeWindow = std::move(name);
}

std::string ProgramHelp::currentHelpFile() const {
    return files_->current();
}

std::unique_ptr<HelpRequests> createHelp() {
    auto help =
        std::make_unique<ProgramHelp>(loadHtmlHelpLibrary(), executableFolder(), platformWinHelp());
    help->setApplicationHelpFile(HelpFileName);
    return help;
}

} // namespace tts::app
