#include "sice/SiceFolder.h"

#include "sice/FileFinder.h"

#include "base/platform/Folders.h"

namespace tts::sice {

std::optional<std::string> carpetaSiceOrNotice(RunHost& host, const std::string& chosenFolder,
                                               int embeddedResult) {
    std::string carpetaSice = chosenFolder + pathSeparator();
    if (folderExists(carpetaSice))
        return carpetaSice;
    host.showMessage(missingFolderNotice(carpetaSice));
    if (host.isEmbedded()) {
        host.setResult(embeddedResult);
        host.closeWindow();
    }
    return std::nullopt;
}

std::string missingFolderNotice(const std::string& folder) {
    // A path the system cannot even look at is no missing folder: the user must shorten it.
    const platform::SystemError error = platform::pathError(folder);
    if (platform::causeOf(error) == platform::Cause::NameTooLong)
        return "No se puede usar la carpeta (" + platform::reasonInSpanish(error) + ")";
    return "No existe la carpeta";
}

} // namespace tts::sice
