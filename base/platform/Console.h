#pragma once

namespace tts::platform {

// The command line writes UTF-8; a Windows console shows the OEM code page unless told, which
// turns every accent of its Spanish messages into two wrong letters. Elsewhere nothing to do.
// Returns whether the console, if there is one, now shows UTF-8.
bool showUtf8OnConsole();

} // namespace tts::platform
