#include "sice/SiceFolder.h"

#include "sice/FileFinder.h"

namespace tts::sice {

std::optional<std::string> carpetaSiceOrNotice(RunHost& host, const std::string& chosenFolder,
                                               int embeddedResult) {
    std::string carpetaSice = chosenFolder + pathSeparator();
    if (folderExists(carpetaSice))
        return carpetaSice;
    host.showMessage("No existe la carpeta");
    if (host.isEmbedded()) {
        host.setResult(embeddedResult);
        host.closeWindow();
    }
    return std::nullopt;
}

} // namespace tts::sice
