// The import of a SICE folder whose eight files are fuzzed, all six steps into an empty work
// folder.
#include "fuzz/ImportFolderHarness.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static tts::fuzz::ImportFolderHarness harness;
    harness.run({reinterpret_cast<const char*>(data), size});
    return 0;
}
