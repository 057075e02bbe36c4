// Line-by-line reading of one SICE file, with every line classified and cut into fields.
#include "fuzz/LineReadingHarness.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tts::fuzz::runLineReading({reinterpret_cast<const char*>(data), size});
    return 0;
}
