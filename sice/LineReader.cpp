#include "sice/LineReader.h"

#include "base/Error.h"
#include "base/platform/File.h"
#include "sice/IoError.h"

#include <algorithm>
#include <cstring>

namespace tts::sice {

namespace {

constexpr char kCtrlZ = '\x1A';

} // namespace

LineReader::LineReader(const std::string& path) {
    load(path, owned_);
}

void LineReader::load(const std::string& path, std::string& bytes) {
    // The whole file is taken at open, so nobody can change it under us while a step reads it.
    if (platform::SystemError error = platform::readWholeFile(path, bytes)) {
        // A folder, device or FIFO: named, so the user knows which entry is in the way.
        if (error == platform::kNotRegularFile)
            throw Error("Cannot open file \"" + path + "\". " + platform::describe(error));
        raiseIoError(path, error);
    }
}

LineReader LineReader::over(std::string_view bytes) {
    LineReader reader;
    reader.borrowedBytes_ = bytes;
    reader.borrowed_ = true;
    return reader;
}

bool LineReader::atEnd() const {
    const std::string_view text = bytes();
    return pos_ >= text.size() || text[pos_] == kCtrlZ;
}

std::string_view LineReader::next() {
    if (atEnd())
        return {};
    const std::string_view text = bytes();
    const char* begin = text.data() + pos_;
    const size_t remaining = text.size() - pos_;
    const char* lf = static_cast<const char*>(std::memchr(begin, '\n', remaining));
    const size_t physical = lf ? static_cast<size_t>(lf - begin) : remaining;

    // A Ctrl-Z ends the text; the rest of the physical line goes with the line end. Files hardly
    // ever hold one: where the next one lies is looked for once, not on every line.
    if (!ctrlZKnown_ || nextCtrlZ_ < pos_) {
        const void* found = std::memchr(begin, kCtrlZ, remaining);
        nextCtrlZ_ = found ? static_cast<size_t>(static_cast<const char*>(found) - text.data())
                           : text.size();
        ctrlZKnown_ = true;
    }
    size_t textLength = std::min(physical, nextCtrlZ_ - pos_);
    pos_ += lf ? physical + 1 : physical;

    // Every CR goes: the one before the LF needs no copy, a stray one inside does.
    if (textLength > 0 && begin[textLength - 1] == '\r')
        --textLength;
    const char* cr = static_cast<const char*>(std::memchr(begin, '\r', textLength));
    if (!cr)
        return {begin, textLength};
    joined_.clear();
    const char* p = begin;
    const char* end = begin + textLength;
    while (p < end) {
        const char* stop = cr ? cr : end;
        joined_.append(p, stop);
        p = cr ? cr + 1 : end;
        cr = p < end ? static_cast<const char*>(std::memchr(p, '\r', static_cast<size_t>(end - p)))
                     : nullptr;
    }
    return joined_;
}

void LineReader::close() {
    owned_.clear();
    owned_.shrink_to_fit();
    borrowedBytes_ = {};
    joined_.clear();
    joined_.shrink_to_fit();
    pos_ = 0;
    ctrlZKnown_ = false;
}

} // namespace tts::sice
