#pragma once

namespace tts::platform {

// The command line writes UTF-8. A Windows console shows its own code page instead, which turns
// every accent of the Spanish messages into two wrong letters, so there standard output and
// standard error, when they are a console, are written as UTF-16 text. Output to a file or a pipe
// keeps its bytes; elsewhere nothing changes.
void showUtf8OnConsoles();

} // namespace tts::platform
