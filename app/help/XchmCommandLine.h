#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tts::app {

// The arguments that make the xchm viewer do what an HTML Help command asks: the table of
// contents, a topic address ("file::/topic") or the index open the file, which is as far as
// xchm's command line goes; a help context becomes "-c N file". No arguments for a command that
// opens nothing, or for no file.
std::optional<std::vector<std::string>> xchmCommandLine(const char* fileOrAddress, unsigned command,
                                                        std::uintptr_t data);

} // namespace tts::app
