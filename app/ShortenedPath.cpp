#include "app/ShortenedPath.h"

namespace tts::app {

namespace {

// "C:" or "\\server\share"; nothing on a system without drives.
std::string driveOf(const std::string& path, char separator) {
    if (path.size() >= 2 && path[1] == ':')
        return path.substr(0, 2);
    if (path.size() >= 2 && path[0] == separator && path[1] == separator) {
        size_t share = path.find(separator, 2);
        if (share != std::string::npos) {
            size_t end = path.find(separator, share + 1);
            return path.substr(0, end);
        }
    }
    return {};
}

// Replaces the first real folder of `folders` (or the marker standing for the ones already
// dropped, together with it) by the marker.
void cutFirstFolder(std::string& folders, char separator) {
    const std::string marker = std::string("...") + separator;
    if (folders.size() == 1 && folders[0] == separator) {
        folders.clear();
        return;
    }
    bool rooted = !folders.empty() && folders[0] == separator;
    std::string rest = rooted ? folders.substr(1) : folders;
    // Only our own marker is skipped whole, so that a folder such as ".wine" is cut like any
    // other.
    if (rest.compare(0, marker.size(), marker) == 0)
        rest.erase(0, marker.size());
    size_t next = rest.find(separator);
    rest = next == std::string::npos ? std::string() : marker + rest.substr(next + 1);
    folders = rooted ? separator + rest : rest;
}

} // namespace

std::string shortenedPath(const std::string& path, int maxWidth,
                          const std::function<int(const std::string&)>& width, char separator) {
    std::string drive = driveOf(path, separator);
    const size_t lastSeparator = path.rfind(separator);
    const size_t nameStart = lastSeparator == std::string::npos ? drive.size() : lastSeparator + 1;
    std::string folders = path.substr(drive.size(), nameStart - std::min(nameStart, drive.size()));
    const std::string name = path.substr(nameStart);
    const std::string allDropped = separator + std::string("...") + separator;

    std::string result = path;
    while ((!folders.empty() || !drive.empty()) && width(result) > maxWidth) {
        if (folders == allDropped) {
            drive.clear();
            folders = std::string("...") + separator;
        } else if (folders.empty()) {
            drive.clear();
        } else {
            cutFirstFolder(folders, separator);
        }
        result = drive + folders + name;
    }
    return result;
}

} // namespace tts::app
