#pragma once

#include <cstdint>
#include <string>

namespace tts::app {

// The run result code handed to the host: 0 no job completed, 1 the job ran to its end, -1 the
// import failed.
extern int32_t EstadoTransformado;

// The call-parameter count: 2 once the window has been embedded in the host's window, else 0.
extern int32_t ParametrosLlamada;

// The caption of every message box and the program's name in the task bar.
inline constexpr const char* ApplicationTitle = "transTalvorSice";

// The name of the help file that comes with the program, without folder: the help looks for it
// next to the executable.
inline constexpr const char* HelpFileName = "SICE.chm";

// The application's help file (HelpFileName once start-up has set it).
extern std::string ApplicationHelpFile;

} // namespace tts::app
