#include "sice/SiceFolder.h"

#include "sice/FileFinder.h"

#include "base/platform/Folders.h"

namespace tts::sice {

std::optional<std::string> carpetaSiceOrNotice(RunHost& host, const std::string& chosenFolder,
                                               int embeddedResult) {
    std::string carpetaSice = chosenFolder + pathSeparator();
    if (folderExists(carpetaSice))
        return carpetaSice;
    // A path the system cannot even look at is no missing folder: the user must shorten it.
    const platform::SystemError error = platform::pathError(carpetaSice);
    if (platform::causeOf(error) == platform::Cause::NameTooLong)
        host.showMessage("No se puede usar la carpeta (" + platform::reasonInSpanish(error) + ")");
    else
        host.showMessage("No existe la carpeta");
    if (host.isEmbedded()) {
        host.setResult(embeddedResult);
        host.closeWindow();
    }
    return std::nullopt;
}

} // namespace tts::sice
