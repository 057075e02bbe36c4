#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tts::app {

// How many of a job's warnings the window's message lists; the rest are counted, so that the
// message stays about ten short lines.
inline constexpr size_t kWarningsShown = 6;

// The message that follows "Proceso finalizado" when the job's report holds warnings: what
// happened, one line each, then where the help explains what to do. Empty when there are none:
// nothing more is shown then. Windows-1252.
std::string warningMessage(const std::vector<std::string>& warnings);

} // namespace tts::app
