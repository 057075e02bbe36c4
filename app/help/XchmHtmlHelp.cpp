#ifndef _WIN32

#include "app/help/XchmHtmlHelp.h"

#include "app/help/HelpCommands.h"
#include "app/help/XchmCommandLine.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tts::app {

namespace {

bool isExecutableFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

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
            if (isExecutableFile(candidate))
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

pid_t XchmHtmlHelp::start(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.push_back(program_.data());
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    // The viewer reads nothing from us, and starts with default signal handling and no blocked
    // signals whatever the program has set.
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes, &signals);
    sigaddset(&signals, SIGPIPE);
    sigaddset(&signals, SIGCHLD);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    posix_spawnattr_setsigdefault(&attributes, &signals);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = 0;
    const int failure =
        posix_spawn(&pid, program_.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    // A viewer that cannot start is as good as a missing one: nothing is shown, nothing is said.
    if (failure != 0)
        return 0;
    viewers_.push_back(pid);
    return pid;
}

void XchmHtmlHelp::closeAll() {
    reapEnded();
    for (pid_t pid : viewers_)
        ::kill(pid, SIGTERM);
    reapEnded();
}

void XchmHtmlHelp::reapEnded() {
    std::erase_if(viewers_, [](pid_t pid) {
        int status = 0;
        const pid_t result = ::waitpid(pid, &status, WNOHANG);
        // ECHILD: someone else reaped it (or SIGCHLD is ignored); either way it is gone.
        return result == pid || (result == -1 && errno == ECHILD);
    });
}

std::vector<pid_t> XchmHtmlHelp::runningViewers() {
    reapEnded();
    return viewers_;
}

} // namespace tts::app

#endif
