#include "app/HandOffFile.h"

#include "app/ExecutableFolder.h"
#include "app/ProfileString.h"

#include "base/Error.h"

namespace tts::app {

std::string handOffFilePath() {
    return executableFolder() + "Horvane.ini";
}

void writeHandOff(const std::string& path, int32_t code) {
    if (const platform::SystemError error =
            writeProfileString(path, "Transformadores", "Transformado", std::to_string(code)))
        throw Error("Unable to write to " + path + "\nMotivo: " + platform::reasonInSpanish(error));
}

} // namespace tts::app
