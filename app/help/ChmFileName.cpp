#include "app/help/ChmFileName.h"

namespace tts::app {

namespace {

char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool isChmFileName(std::string_view name) {
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return false;
    const std::string_view extension = name.substr(dot);
    constexpr std::string_view chm = ".chm";
    if (extension.size() != chm.size())
        return false;
    for (std::size_t i = 0; i < chm.size(); ++i)
        if (asciiLower(extension[i]) != chm[i])
            return false;
    return true;
}

bool hasFolderPart(std::string_view name) {
    return name.find_first_of("/\\:") != std::string_view::npos;
}

} // namespace tts::app
