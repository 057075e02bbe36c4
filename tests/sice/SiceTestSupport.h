#pragma once

#include "base/Error.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <iterator>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace tts::sice::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tts-sice-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder as CarpetaSice holds it: with the separator at the end.
    std::string carpeta() const { return path_ + "/"; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// errorInChild's answer when the child could not set itself up (no right to change user).
inline const char* const kPrepareFailed = "<prepare failed>";

// Runs `action` in a child process, after `prepare` (which may drop privileges or lower limits
// without touching this test process), and returns the message of the tts::Error it raised,
// "<no error>" when it raised none, or "<prepare failed>".
inline std::string errorInChild(const std::function<bool()>& prepare,
                                const std::function<void()>& action) {
    int fds[2];
    if (::pipe(fds) != 0)
        return "<pipe failed>";
    pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        std::string message = "<no error>";
        if (!prepare()) {
            message = kPrepareFailed;
        } else {
            try {
                action();
            } catch (const tts::Error& e) {
                message = e.message();
            }
        }
        ssize_t ignored = ::write(fds[1], message.data(), message.size());
        (void)ignored;
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string message;
    char buffer[512];
    ssize_t got;
    while ((got = ::read(fds[0], buffer, sizeof buffer)) > 0)
        message.append(buffer, static_cast<size_t>(got));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return message;
}

// As root, chmod does not deny anything: become "nobody" so that permissions bite.
inline bool dropToNobody() {
    if (::geteuid() != 0)
        return true;
    return ::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0;
}

} // namespace tts::sice::test
