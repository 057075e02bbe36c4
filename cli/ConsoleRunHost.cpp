#include "cli/ConsoleRunHost.h"

#include "base/Windows1252.h"

#include <ostream>

namespace tts::cli {

void ConsoleRunHost::showMessage(const std::string& text) {
    messages_.push_back(text);
    if (text == "Proceso finalizado")
        out_ << textForDisplay(text) << std::endl;
    else
        err_ << textForDisplay(text) << std::endl;
}

} // namespace tts::cli
