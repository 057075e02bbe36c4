// A SOLUC.DBF whose bytes are fuzzed, exported against the tables of the example school.
#include "fuzz/ForeignSolucHarness.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static tts::fuzz::ForeignSolucHarness harness(TTS_SOURCE_DIR "/examples/sice");
    harness.run({reinterpret_cast<const char*>(data), size});
    return 0;
}
