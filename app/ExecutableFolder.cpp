#include "app/ExecutableFolder.h"

#include "base/platform/Folders.h"
#include "base/platform/Process.h"

namespace tts::app {

std::string executableFolder() {
    return platform::folderOf(platform::executablePath());
}

} // namespace tts::app
