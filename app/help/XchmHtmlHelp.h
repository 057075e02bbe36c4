#pragma once

#ifndef _WIN32

#include "app/help/HtmlHelpLibrary.h"

#include <string>
#include <vector>

namespace tts::app {

// HTML Help where there is no HHCtrl.ocx: the xchm viewer, looked for once on the search path.
// Each request starts a viewer, detached: the program never waits for one. As HTML Help shows
// every request in its one help window, a new request ends the viewer shown before. The
// close-all command ends the viewers this program started, and so does unloading, because HTML
// Help windows end with the program that opened them. Ended viewers are reaped at the next call.
class XchmHtmlHelp : public HtmlHelpLibrary {
public:
    // `searchPath` lists folders separated by ":", like PATH.
    explicit XchmHtmlHelp(const std::string& searchPath);
    ~XchmHtmlHelp() override;
    XchmHtmlHelp(const XchmHtmlHelp&) = delete;
    XchmHtmlHelp& operator=(const XchmHtmlHelp&) = delete;

    // Empty when no viewer was found: every request is then ignored.
    HtmlHelpEntry entry() override;
    const std::string& viewerProgram() const { return program_; }
    // The viewers started and still running.
    std::vector<long> runningViewers();

    std::intptr_t call(WindowHandle owner, const char* file, unsigned command, std::uintptr_t data);

private:
    long start(const std::vector<std::string>& arguments);
    void closeAll();
    void reapEnded();

    std::string program_;
    std::vector<long> viewers_;
};

} // namespace tts::app

#endif
