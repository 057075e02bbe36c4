#include "sice/FileFinder.h"

#include "base/Error.h"
#include "base/platform/Folders.h"

#include <optional>

namespace tts::sice {

FoundFile findFile(const std::string& folder, const std::string& name) {
    FoundFile found{folder + name, false, {}};
    std::optional<std::string> path;
    const platform::SystemError error =
        platform::findIgnoringCase(folder, name, path, &found.leftAside);
    if (error && !platform::isNotFound(error))
        // Said once, rather than every file of the folder reported missing.
        throw Error("No se puede leer la carpeta \"" + folder + "\". " + platform::describe(error));
    if (path) {
        found.path = *path;
        found.exists = true;
    }
    return found;
}

std::string leftAsideText(const FoundFile& file) {
    std::string text = "se usa " + platform::nameOf(file.path) + "; se deja aparte ";
    for (size_t i = 0; i < file.leftAside.size(); ++i)
        text += (i > 0 ? ", " : "") + platform::nameOf(file.leftAside[i]);
    return text + (file.leftAside.size() == 1 ? ", que solo difiere" : ", que solo difieren") +
           " en may\xFAsculas y min\xFAsculas";
}

void noteLeftAside(const FoundFile& file, std::vector<std::string>& notes) {
    if (file.exists && !file.leftAside.empty())
        notes.push_back(leftAsideText(file));
}

bool folderExists(const std::string& path) {
    return platform::pathKind(path) == platform::PathKind::Folder;
}

char pathSeparator() {
    return platform::pathSeparator();
}

} // namespace tts::sice
