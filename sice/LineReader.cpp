#include "sice/LineReader.h"

#include "base/Error.h"
#include "base/LocatedError.h"
#include "base/platform/File.h"
#include "sice/IoError.h"

#include <cstring>

namespace tts::sice {

namespace {

constexpr char kCtrlZ = '\x1A';

} // namespace

LineReader::LineReader(const std::string& path) {
    // The whole file is taken at open, so nobody can change it under us while a step reads it.
    if (platform::SystemError error = platform::readWholeFile(path, bytes_)) {
        // A folder, device or FIFO: named, so the user knows which entry is in the way.
        if (error == platform::kNotRegularFile)
            throw Error("Cannot open file \"" + path + "\". " + platform::describe(error));
        // The code alone says little to whoever has the file open in another window: the
        // context line names it and why.
        if (platform::isSharingViolation(error))
            throw LocatedError(ioErrorText(platform::windowsCode(error)),
                               ValueLocation{path, 0, kHeldByAnotherProgram});
        raiseIoError(error);
    }
}

LineReader LineReader::fromBytes(std::string bytes) {
    LineReader reader;
    reader.bytes_ = std::move(bytes);
    return reader;
}

bool LineReader::atEnd() const {
    return pos_ >= bytes_.size() || bytes_[pos_] == kCtrlZ;
}

std::string LineReader::nextLine() {
    std::string line;
    nextLine(line);
    return line;
}

void LineReader::nextLine(std::string& line) {
    line.clear();
    if (atEnd())
        return;
    const char* begin = bytes_.data() + pos_;
    const size_t remaining = bytes_.size() - pos_;
    const char* lf = static_cast<const char*>(std::memchr(begin, '\n', remaining));
    const size_t physical = lf ? static_cast<size_t>(lf - begin) : remaining;

    // A Ctrl-Z ends the text; the rest of the physical line goes with the line end.
    const char* ctrlZ = static_cast<const char*>(std::memchr(begin, kCtrlZ, physical));
    const size_t textLength = ctrlZ ? static_cast<size_t>(ctrlZ - begin) : physical;

    line.reserve(textLength);
    const char* p = begin;
    const char* end = begin + textLength;
    // Every CR goes: the one before the LF and any other stray one alike.
    while (p < end) {
        const char* cr =
            static_cast<const char*>(std::memchr(p, '\r', static_cast<size_t>(end - p)));
        const char* stop = cr ? cr : end;
        line.append(p, stop);
        p = cr ? cr + 1 : end;
    }

    pos_ += lf ? physical + 1 : physical;
}

void LineReader::close() {
    bytes_.clear();
    bytes_.shrink_to_fit();
    pos_ = 0;
}

} // namespace tts::sice
