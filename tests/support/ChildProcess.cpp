#include "tests/support/ChildProcess.h"

#include "base/platform/Process.h"

#include <stdexcept>
#include <thread>

#ifdef _WIN32
#include "base/platform/win32/Wide.h"

#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace tts::test {

std::string thisProgram() {
    return platform::executablePath();
}

#ifdef _WIN32

namespace {

// As the program converts its own texts: UTF-8, or else the ANSI code page.
std::wstring wide(const std::string& text) {
    return platform::widen(text);
}

// One argument as the C runtime splits the command line again.
std::wstring quoted(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos)
        return arg;
    std::wstring out = L"\"";
    for (size_t i = 0;; ++i) {
        size_t backslashes = 0;
        while (i < arg.size() && arg[i] == L'\\') {
            ++i;
            ++backslashes;
        }
        if (i == arg.size()) {
            out.append(backslashes * 2, L'\\');
            break;
        }
        if (arg[i] == L'"')
            out.append(backslashes * 2 + 1, L'\\');
        else
            out.append(backslashes, L'\\');
        out += arg[i];
    }
    return out + L"\"";
}

void drain(HANDLE pipe, std::string* sink) {
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0)
        sink->append(buffer, got);
    ::CloseHandle(pipe);
}

} // namespace

struct ChildProcess::State {
    HANDLE process = nullptr;
    HANDLE input = nullptr;
    std::thread out, err;
    ChildResult result;
};

ChildProcess ChildProcess::start(const std::string& program, const std::vector<std::string>& args,
                                 const std::map<std::string, std::string>& environment) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE inRead, inWrite, outRead, outWrite, errRead, errWrite;
    if (!::CreatePipe(&inRead, &inWrite, &inherit, 0) ||
        !::CreatePipe(&outRead, &outWrite, &inherit, 0) ||
        !::CreatePipe(&errRead, &errWrite, &inherit, 0))
        throw std::runtime_error("CreatePipe failed");
    for (HANDLE ours : {inWrite, outRead, errRead})
        ::SetHandleInformation(ours, HANDLE_FLAG_INHERIT, 0);

    std::wstring commandLine = quoted(wide(program));
    for (const std::string& arg : args)
        commandLine += L" " + quoted(wide(arg));

    // The child's environment: ours with the changes.
    std::map<std::wstring, std::wstring> variables;
    if (wchar_t* block = ::GetEnvironmentStringsW()) {
        for (const wchar_t* p = block; *p; p += wcslen(p) + 1) {
            std::wstring entry = p;
            const size_t equals = entry.find(L'=', 1);
            if (equals != std::wstring::npos)
                variables[entry.substr(0, equals)] = entry.substr(equals + 1);
        }
        ::FreeEnvironmentStringsW(block);
    }
    for (const auto& [name, value] : environment) {
        if (value.empty())
            variables.erase(wide(name));
        else
            variables[wide(name)] = wide(value);
    }
    std::wstring block;
    for (const auto& [name, value] : variables)
        block += name + L"=" + value + L'\0';
    block += L'\0';

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inRead;
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    PROCESS_INFORMATION info{};
    const BOOL started = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                          CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW,
                                          block.data(), nullptr, &startup, &info);
    for (HANDLE theirs : {inRead, outWrite, errWrite})
        ::CloseHandle(theirs);
    if (!started)
        throw std::runtime_error("CreateProcess failed for " + program);
    ::CloseHandle(info.hThread);

    ChildProcess child;
    child.state_ = new State;
    child.state_->process = info.hProcess;
    child.state_->input = inWrite;
    child.state_->out = std::thread(drain, outRead, &child.state_->result.out);
    child.state_->err = std::thread(drain, errRead, &child.state_->result.err);
    return child;
}

ChildResult ChildProcess::wait(std::chrono::milliseconds timeout) {
    if (!state_)
        return {};
    if (::WaitForSingleObject(state_->process, static_cast<DWORD>(timeout.count())) !=
        WAIT_OBJECT_0) {
        state_->result.timedOut = true;
        ::TerminateProcess(state_->process, 255);
        ::WaitForSingleObject(state_->process, INFINITE);
    }
    DWORD code = 0;
    ::GetExitCodeProcess(state_->process, &code);
    state_->result.status = state_->result.timedOut ? -1 : static_cast<int>(code);
    state_->out.join();
    state_->err.join();
    ::CloseHandle(state_->input);
    ::CloseHandle(state_->process);
    ChildResult result = std::move(state_->result);
    delete state_;
    state_ = nullptr;
    return result;
}

#else

namespace {

void drain(int fd, std::string* sink) {
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        sink->append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
}

} // namespace

struct ChildProcess::State {
    pid_t pid = -1;
    int input = -1;
    std::thread out, err;
    ChildResult result;
};

ChildProcess ChildProcess::start(const std::string& program, const std::vector<std::string>& args,
                                 const std::map<std::string, std::string>& environment) {
    int in[2], out[2], err[2];
    if (::pipe2(in, O_CLOEXEC) || ::pipe2(out, O_CLOEXEC) || ::pipe2(err, O_CLOEXEC))
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);

    std::map<std::string, std::string> variables;
    for (char** p = environ; *p; ++p) {
        const std::string entry = *p;
        const size_t equals = entry.find('=');
        if (equals != std::string::npos)
            variables[entry.substr(0, equals)] = entry.substr(equals + 1);
    }
    for (const auto& [name, value] : environment) {
        if (value.empty())
            variables.erase(name);
        else
            variables[name] = value;
    }
    std::vector<std::string> entries;
    for (const auto& [name, value] : variables)
        entries.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (std::string& entry : entries)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::vector<std::string> argStrings{program};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : argStrings)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    pid_t pid = -1;
    const int failed =
        ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    if (failed) {
        for (int fd : {in[1], out[0], err[0]})
            ::close(fd);
        throw std::runtime_error("posix_spawn failed for " + program);
    }
    ChildProcess child;
    child.state_ = new State;
    child.state_->pid = pid;
    child.state_->input = in[1];
    child.state_->out = std::thread(drain, out[0], &child.state_->result.out);
    child.state_->err = std::thread(drain, err[0], &child.state_->result.err);
    return child;
}

ChildResult ChildProcess::wait(std::chrono::milliseconds timeout) {
    if (!state_)
        return {};
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    for (;;) {
        const pid_t done = ::waitpid(state_->pid, &status, WNOHANG);
        if (done == state_->pid || (done < 0 && errno != EINTR))
            break;
        if (std::chrono::steady_clock::now() >= deadline) {
            state_->result.timedOut = true;
            ::kill(state_->pid, SIGKILL);
            ::waitpid(state_->pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    state_->result.status =
        !state_->result.timedOut && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    state_->out.join();
    state_->err.join();
    ::close(state_->input);
    ChildResult result = std::move(state_->result);
    delete state_;
    state_ = nullptr;
    return result;
}

#endif

ChildProcess::ChildProcess(ChildProcess&& other) noexcept : state_(other.state_) {
    other.state_ = nullptr;
}

ChildProcess::~ChildProcess() {
    if (state_)
        wait(std::chrono::milliseconds(0));
}

ChildResult runProgram(const std::string& program, const std::vector<std::string>& args,
                       const std::map<std::string, std::string>& environment,
                       std::chrono::milliseconds timeout) {
    return ChildProcess::start(program, args, environment).wait(timeout);
}

} // namespace tts::test
