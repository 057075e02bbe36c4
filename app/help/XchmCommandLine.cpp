#include "app/help/XchmCommandLine.h"

#include "app/help/HelpCommands.h"

#include <cstdint>

namespace tts::app {

namespace {

// The CHM file of an address "file::/topic"; a plain file name is its own file.
std::string chmFileOf(const std::string& fileOrAddress) {
    const auto separator = fileOrAddress.find("::");
    return separator == std::string::npos ? fileOrAddress : fileOrAddress.substr(0, separator);
}

} // namespace

std::optional<std::vector<std::string>> xchmCommandLine(const char* fileOrAddress, unsigned command,
                                                        std::uintptr_t data) {
    if (fileOrAddress == nullptr || *fileOrAddress == '\0')
        return std::nullopt;
    const std::string file = chmFileOf(fileOrAddress);
    if (file.empty())
        return std::nullopt;
    switch (command) {
    case htmlhelp::DisplayToc:
    case htmlhelp::DisplayTopic:
    case htmlhelp::DisplayIndex:
        return std::vector<std::string>{file};
    case htmlhelp::HelpContext:
        // Context numbers travel as the DWORD of HTML Help.
        return std::vector<std::string>{"-c", std::to_string(static_cast<std::uint32_t>(data)),
                                        file};
    default:
        return std::nullopt;
    }
}

} // namespace tts::app
