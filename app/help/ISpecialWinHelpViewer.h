#pragma once

#include "app/help/HtmlHelpEntry.h"

#include <cstdint>
#include <string>

namespace tts::app {

// A viewer that takes raw WinHelp commands: the help manager hands it every command it does not
// handle itself.
class ISpecialWinHelpViewer {
public:
    virtual ~ISpecialWinHelpViewer() = default;
    virtual bool callWinHelp(WindowHandle window, const std::string& helpFile, unsigned command,
                             std::uintptr_t data) = 0;
};

} // namespace tts::app
