// Whole-file reading of one SICE file, and the lines written back and read again.
#include "fuzz/WholeFileHarness.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static tts::fuzz::WholeFileHarness harness;
    harness.run({reinterpret_cast<const char*>(data), size});
    return 0;
}
