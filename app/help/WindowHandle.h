#pragma once

#include <cstdint>

namespace tts::app {

// A native window handle; 0 is no window.
using WindowHandle = std::uintptr_t;

} // namespace tts::app
