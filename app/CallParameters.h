#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tts::app {

// Which job panel the host asked to keep. The word names the job as SICE sees it: "importar"
// keeps the Horvane-to-SICE panel, "exportar" the SICE-to-Horvane one.
enum class JobWord { Other, Importar, Exportar };

struct CallParameters {
    bool embedded = false;
    uint32_t hostWindow = 0;
    JobWord jobWord = JobWord::Other;
};

// What the command line asks for. `arguments` excludes the program's name and are
// Windows-1252 bytes. Exactly two arguments embed the window; any other count, whatever they
// say, runs it standalone. A handle that is not 1 to 8 hexadecimal digits throws tts::Error
// with the conversion message naming "$<argument>".
CallParameters interpretCommandLine(const std::vector<std::string>& arguments);

} // namespace tts::app
