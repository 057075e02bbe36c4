#include "sice/FileWriter.h"

#include "base/Error.h"
#include "base/platform/SystemError.h"

#include <cstring>

namespace tts::sice {

LineFileWriter::LineFileWriter(std::string path)
    : path_(std::move(path)), replacement_(path_), block_(kBlock, '\0') {}

void LineFileWriter::add(std::string_view line) {
    char* at = addInPlace(line.size());
    if (!line.empty())
        std::memcpy(at, line.data(), line.size());
}

void LineFileWriter::flushBlock() {
    replacement_.write(std::string_view(block_.data(), used_));
    used_ = 0;
}

void LineFileWriter::makeRoom(size_t size) {
    if (used_ > 0)
        flushBlock();
    if (size > block_.size())
        block_.resize(size);
}

void LineFileWriter::commit() {
    flushBlock();
    if (platform::SystemError error = replacement_.commit())
        throw Error("Cannot create file \"" + path_ + "\". " + platform::describe(error));
}

} // namespace tts::sice
