#include "app/help/ChmFileName.h"

#include "base/CaseTable.h"

namespace tts::app {

bool isChmFileName(std::string_view name) {
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return false;
    return lowerAsciiOnly(name.substr(dot)) == ".chm";
}

bool hasFolderPart(std::string_view name) {
    return name.find_first_of("/\\:") != std::string_view::npos;
}

} // namespace tts::app
