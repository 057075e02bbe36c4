#pragma once

#include "app/help/WindowHandle.h"

#include <cstdint>
#include <functional>

namespace tts::app {

// The shape of HtmlHelpA: owner window, help file or "file::/topic" address (null for none),
// command, data. For the index command the data is the address of the keyword's text.
// An empty entry means the library or its entry point is missing.
using HtmlHelpEntry = std::function<std::intptr_t(WindowHandle owner, const char* file,
                                                  unsigned command, std::uintptr_t data)>;

} // namespace tts::app
