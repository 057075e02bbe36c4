#include "cli/ConsoleRunHost.h"

#include "base/Windows1252.h"

#include <ostream>

namespace tts::cli {

void ConsoleRunHost::showMessage(const std::string& text) {
    messages_.push_back(text);
    err_ << textForDisplay(text) << std::endl;
}

void ConsoleRunHost::showFinished() {
    messages_.push_back(kJobFinished);
    out_ << textForDisplay(kJobFinished) << std::endl;
}

} // namespace tts::cli
