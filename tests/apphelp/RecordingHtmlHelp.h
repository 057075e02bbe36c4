#pragma once

#include "app/help/HelpCommands.h"
#include "app/help/HtmlHelpLibrary.h"
#include "app/help/WinHelpViewer.h"

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tts::app::testing {

// One call of the HTML Help or WinHelp entry, as the tests compare it.
struct HelpCall {
    WindowHandle owner = 0;
    std::optional<std::string> file;
    unsigned command = 0;
    std::uintptr_t data = 0;
    // The text the data points at, for the commands that pass one.
    std::optional<std::string> text;

    bool operator==(const HelpCall&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const HelpCall& call) {
    out << "{owner " << call.owner << ", file "
        << (call.file ? '"' + *call.file + '"' : std::string("none")) << ", command "
        << call.command << ", data ";
    if (call.text)
        out << '"' << *call.text << '"';
    else
        out << call.data;
    return out << '}';
}

// What the tests see of the HTML Help library after it has gone into the viewer.
struct HtmlHelpLog {
    std::vector<HelpCall> calls;
    bool unloaded = false;
};

// HTML Help that records its calls instead of showing anything; `withEntry` false stands for a
// library without HtmlHelpA.
class RecordingHtmlHelp : public HtmlHelpLibrary {
public:
    explicit RecordingHtmlHelp(std::shared_ptr<HtmlHelpLog> log, bool withEntry = true)
        : log_(std::move(log)), withEntry_(withEntry) {}
    ~RecordingHtmlHelp() override { log_->unloaded = true; }

    HtmlHelpEntry entry() override {
        if (!withEntry_)
            return {};
        auto log = log_;
        return [log](WindowHandle owner, const char* file, unsigned command, std::uintptr_t data) {
            HelpCall call{
                owner, file ? std::optional<std::string>(file) : std::nullopt, command, data, {}};
            if (command == htmlhelp::DisplayIndex && data != 0)
                call.text = reinterpret_cast<const char*>(data);
            log->calls.push_back(call);
            return std::intptr_t{1};
        };
    }

private:
    std::shared_ptr<HtmlHelpLog> log_;
    bool withEntry_;
};

// A WinHelp entry that records its calls.
inline WinHelpEntry recordingWinHelp(std::shared_ptr<std::vector<HelpCall>> calls) {
    return [calls](WindowHandle window, const char* file, unsigned command, std::uintptr_t data) {
        HelpCall call{
            window, file ? std::optional<std::string>(file) : std::nullopt, command, data, {}};
        if ((command == winhelp::HelpKey || command == winhelp::HelpCommand) && data != 0)
            call.text = reinterpret_cast<const char*>(data);
        calls->push_back(call);
        return true;
    };
}

} // namespace tts::app::testing
