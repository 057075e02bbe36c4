#include "app/ProfileString.h"

#include "base/CaseTable.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tts::app {

namespace {

struct Line {
    std::string_view content;
    std::string_view ending; // "\r\n", "\n" or, for a last line without one, ""
};

std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t newline = text.find('\n', start);
        if (newline == std::string_view::npos) {
            lines.push_back({text.substr(start), {}});
            break;
        }
        size_t end = newline;
        if (end > start && text[end - 1] == '\r')
            --end;
        lines.push_back({text.substr(start, end - start), text.substr(end, newline + 1 - end)});
        start = newline + 1;
    }
    return lines;
}

std::string_view trimmed(std::string_view text) {
    const char* blanks = " \t\r";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) + 1 - first);
}

// The name of a section header line ("[name]"), or false when the line is none.
bool sectionName(std::string_view content, std::string_view& name) {
    std::string_view line = trimmed(content);
    if (line.empty() || line.front() != '[')
        return false;
    size_t close = line.find(']');
    if (close == std::string_view::npos)
        return false;
    name = trimmed(line.substr(1, close - 1));
    return true;
}

} // namespace

std::string withProfileString(std::string_view text, std::string_view section, std::string_view key,
                              std::string_view value) {
    const std::string_view eol = text.find("\r\n") != std::string_view::npos ? "\r\n"
                                 : text.find('\n') != std::string_view::npos ? "\n"
                                                                             : "\r\n";
    const std::vector<Line> lines = splitLines(text);

    size_t header = lines.size();
    for (size_t i = 0; i < lines.size() && header == lines.size(); ++i) {
        std::string_view name;
        if (sectionName(lines[i].content, name) && equalsIgnoringCase(name, section))
            header = i;
    }

    std::string out;
    out.reserve(text.size() + section.size() + key.size() + value.size() + 8);
    auto entry = [&](std::string_view keyText) { out.append(keyText).append("=").append(value); };

    if (header == lines.size()) {
        out.append(text);
        if (!text.empty() && text.back() != '\n')
            out.append(eol);
        out.append("[").append(section).append("]").append(eol);
        entry(key);
        out.append(eol);
        return out;
    }

    // The section runs to the next header line; its entry is the first line with our key.
    size_t end = header + 1;
    size_t lastFilled = header;
    size_t found = lines.size();
    for (; end < lines.size(); ++end) {
        std::string_view name;
        if (sectionName(lines[end].content, name))
            break;
        if (!trimmed(lines[end].content).empty())
            lastFilled = end;
        size_t equals = lines[end].content.find('=');
        if (found == lines.size() && equals != std::string_view::npos &&
            equalsIgnoringCase(trimmed(lines[end].content.substr(0, equals)), key))
            found = end;
    }

    for (size_t i = 0; i < lines.size(); ++i) {
        if (i == found) {
            const std::string_view content = lines[i].content;
            entry(trimmed(content.substr(0, content.find('='))));
            out.append(lines[i].ending);
            continue;
        }
        out.append(lines[i].content).append(lines[i].ending);
        if (found == lines.size() && i == lastFilled) {
            if (lines[i].ending.empty())
                out.append(eol);
            entry(key);
            out.append(eol);
        }
    }
    return out;
}

#ifdef _WIN32

bool writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
    return WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                      std::string(value).c_str(), path.c_str()) != 0;
}

#else

namespace {

bool readWhole(int fd, std::string& text) {
    char buffer[8192];
    for (;;) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        text.append(buffer, static_cast<size_t>(got));
    }
}

bool writeWhole(int fd, std::string_view text) {
    while (!text.empty()) {
        ssize_t put = ::write(fd, text.data(), text.size());
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        text.remove_prefix(static_cast<size_t>(put));
    }
    return true;
}

// Where the new text goes: through a symbolic link to its target, so the link survives.
std::string realTarget(const std::string& path) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved))
        return resolved;
    return path;
}

// 0 when done, else the errno of the step that failed.
int replaceAtomically(const std::string& target, std::string_view text, mode_t mode) {
    std::string temporary = target + ".XXXXXX";
    int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return errno;
    int error = 0;
    if (::fchmod(fd, mode) != 0 || !writeWhole(fd, text) || ::fsync(fd) != 0)
        error = errno ? errno : EIO;
    if (::close(fd) != 0 && !error)
        error = errno;
    if (!error && ::rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error)
        ::unlink(temporary.c_str());
    return error;
}

// A folder we may not create files in, holding a file we may write: Windows would still
// update the file, so we do too, in place.
bool replaceInPlace(const std::string& target, std::string_view text) {
    int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = writeWhole(fd, text) && ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

} // namespace

bool writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
    const std::string target = realTarget(path);
    std::string text;
    mode_t mode = 0;
    bool exists = false;
    int fd = ::open(target.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        struct stat info;
        bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && readWhole(fd, text);
        ::close(fd);
        if (!ok)
            return false;
        exists = true;
        mode = info.st_mode & 07777;
        // A read-only file stays as it is, as on Windows, although a rename could replace it.
        if (::access(target.c_str(), W_OK) != 0)
            return false;
    } else if (errno == ENOENT) {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    } else {
        return false;
    }

    const std::string updated = withProfileString(text, section, key, value);
    const int error = replaceAtomically(target, updated, mode);
    if (error == 0)
        return true;
    return exists && (error == EACCES || error == EPERM) && replaceInPlace(target, updated);
}

#endif

} // namespace tts::app
