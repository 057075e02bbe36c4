#pragma once

#include "app/HelpRequests.h"
#include "app/help/HelpManager.h"
#include "app/help/HtmlHelpLibrary.h"
#include "app/help/WinHelpViewer.h"

#include <memory>
#include <string>

namespace tts::app {

// The program's help from start-up to exit: the help manager with the framework's WinHelp viewer,
// then our CHM viewer registered after it, installed as the selector, and its tester given to the
// WinHelp viewer. The two requests of the window go through the manager like any other.
class ProgramHelp : public HelpRequests {
public:
    // `library` is HTML Help, loaded once for the process; `programFolder` ends in a separator.
    ProgramHelp(std::unique_ptr<HtmlHelpLibrary> library, std::string programFolder,
                WinHelpEntry winHelp = {});
    ~ProgramHelp() override;
    ProgramHelp(const ProgramHelp&) = delete;
    ProgramHelp& operator=(const ProgramHelp&) = delete;

    // The help button: makes `helpFile` the application's help file and asks for its contents.
    void contents(const std::string& helpFile) override;
    // F1: context help for the nearest help context, in `helpFile` (the application's current
    // help file when empty).
    void context(int helpContext, const std::string& helpFile) override;

    void setApplicationHelpFile(std::string name);
    // The active window's own help file; empty when it has none.
    void setActiveWindowHelpFile(std::string name);
    // The active window's own help file if it has one, else the application's.
    std::string currentHelpFile() const;

    HelpManager& manager() { return *manager_; }
    WinHelpViewer& winHelpViewer() { return *winHelpViewer_; }

    // The help part's exit: the CHM viewer is released by its id and lets go of the manager; with
    // its last reference it unloads HTML Help. Done once; later calls do nothing.
    void release();

private:
    struct HelpFiles {
        std::string application;
        std::string activeWindow;
        std::string current() const { return activeWindow.empty() ? application : activeWindow; }
    };

    std::shared_ptr<HelpFiles> files_;
    std::shared_ptr<HelpManager> manager_;
    std::shared_ptr<WinHelpViewer> winHelpViewer_;
};

} // namespace tts::app
