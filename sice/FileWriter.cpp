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
    LineFileWriter file(path, writer);
    file.reserve(total);
    for (const std::string& line : lines)
        file.add(line);
    file.commit();
}

LineFileWriter::LineFileWriter(std::string path, platform::WriteBytes writer)
    : path_(std::move(path)), writer_(std::move(writer)) {}

void LineFileWriter::commit() {
    if (platform::SystemError error = platform::replaceFileContents(path_, bytes_, writer_))
        throw Error("Cannot create file \"" + path_ + "\". " + platform::describe(error));
}

} // namespace tts::sice
