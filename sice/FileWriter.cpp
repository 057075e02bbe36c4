#include "sice/FileWriter.h"

#include "base/Error.h"
#include "base/platform/SystemError.h"

namespace tts::sice {

LineFileWriter::LineFileWriter(std::string path) : path_(std::move(path)), replacement_(path_) {
    block_.reserve(kBlock + 512);
}

void LineFileWriter::flushBlock() {
    replacement_.write(block_);
    block_.clear();
}

void LineFileWriter::commit() {
    flushBlock();
    if (platform::SystemError error = replacement_.commit())
        throw Error("Cannot create file \"" + path_ + "\". " + platform::describe(error));
}

} // namespace tts::sice
