#pragma once

#include "base/platform/SystemError.h"

#include <cstddef>
#include <functional>
#include <string>

// Faults that cannot be had on demand (a bad sector, a disk that fills part-way), injected into
// the platform layer by the tests. Only the tests' build of the platform layer has them
// (TTS_FAULT_INJECTION, tests/CMakeLists.txt): the program's own reads and writes never ask.
namespace tts::platform {

// Lets bytes through to a file being replaced: returns how many of them may be written now
// (they then are), or 0 with an error set.
using WriteBytes =
    std::function<std::size_t(const char* data, std::size_t size, SystemError& error)>;

// Every read of the file at `path` gives `error`, as a bad sector makes reads fail
// (sharingViolation() stands for another program that holds the file where Linux has no such
// thing). An empty path ends it.
void failReadsOf(const std::string& path, SystemError error = readFault());

// While this lives, the bytes of every replacement (AtomicReplace.h) go through `writer`: one
// that fails part-way shows that the old file survives.
class InjectedWrites {
public:
    explicit InjectedWrites(WriteBytes writer);
    ~InjectedWrites();
    InjectedWrites(const InjectedWrites&) = delete;
    InjectedWrites& operator=(const InjectedWrites&) = delete;
};

#ifdef TTS_FAULT_INJECTION
// What the platform layer asks: the error for a read of `path` (0: none), and the writer
// replacements go through (empty: none).
SystemError injectedReadFault(const std::string& path);
const WriteBytes& injectedWriter();
#endif

} // namespace tts::platform
