#ifndef _WIN32

#include "app/help/XchmHtmlHelp.h"

#include "app/help/HelpCommands.h"
#include "app/help/XchmCommandLine.h"

#include "base/platform/ViewerProcess.h"

#include <algorithm>

namespace tts::app {

namespace {

// Empty entries of the list are skipped: they would mean the working folder, which the folder
// chooser moves about.
std::string findOnPath(const std::string& searchPath, const std::string& program) {
    std::size_t begin = 0;
    while (begin <= searchPath.size()) {
        auto end = searchPath.find(':', begin);
        if (end == std::string::npos)
            end = searchPath.size();
        const std::string folder = searchPath.substr(begin, end - begin);
        if (!folder.empty()) {
            const std::string candidate = folder + (folder.back() == '/' ? "" : "/") + program;
            if (platform::isExecutableFile(candidate))
                return candidate;
        }
        begin = end + 1;
    }
    return {};
}

} // namespace

XchmHtmlHelp::XchmHtmlHelp(const std::string& searchPath)
    : program_(findOnPath(searchPath, "xchm")) {}

XchmHtmlHelp::~XchmHtmlHelp() {
    closeAll();
}

HtmlHelpEntry XchmHtmlHelp::entry() {
    if (program_.empty())
        return {};
    return [this](WindowHandle owner, const char* file, unsigned command, std::uintptr_t data) {
        return call(owner, file, command, data);
    };
}

std::intptr_t XchmHtmlHelp::call(WindowHandle, const char* file, unsigned command,
                                 std::uintptr_t data) {
    reapEnded();
    if (command == htmlhelp::CloseAll) {
        closeAll();
        return 0;
    }
    const auto arguments = xchmCommandLine(file, command, data);
    if (!arguments)
        return 0;
    // HTML Help keeps one help window and shows each request in it; xchm cannot be sent
    // elsewhere once open, so the viewer shown before gives way to the new one.
    closeAll();
    return start(*arguments);
}

long XchmHtmlHelp::start(const std::vector<std::string>& arguments) {
    const long pid = platform::startViewer(program_, arguments);
    // A viewer that cannot start is as good as a missing one: nothing is shown, nothing is said.
    if (pid != 0)
        viewers_.push_back(pid);
    return pid;
}

void XchmHtmlHelp::closeAll() {
    reapEnded();
    for (long pid : viewers_)
        platform::endViewer(pid);
    reapEnded();
}

void XchmHtmlHelp::reapEnded() {
    std::erase_if(viewers_, platform::viewerHasEnded);
}

std::vector<long> XchmHtmlHelp::runningViewers() {
    reapEnded();
    return viewers_;
}

} // namespace tts::app

#endif
