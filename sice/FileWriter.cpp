#include "sice/FileWriter.h"

#include "base/Error.h"
#include "base/platform/Folders.h"

namespace tts::sice {

std::string temporaryPrefixFor(const std::string& path) {
    const std::string folder = platform::folderOf(path);
    return folder + platform::temporaryPrefix(path.substr(folder.size()));
}

void writeLines(const std::vector<std::string>& lines, const std::string& path) {
    writeLines(lines, path, {});
}

void writeLines(const std::vector<std::string>& lines, const std::string& path,
                const platform::WriteBytes& writer) {
    size_t total = 0;
    for (const std::string& line : lines)
        total += line.size() + 2;
    std::string bytes;
    bytes.reserve(total);
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    if (platform::SystemError error = platform::replaceFileContents(path, bytes, writer))
        throw Error("Cannot create file \"" + path + "\". " + platform::describe(error));
}

} // namespace tts::sice
