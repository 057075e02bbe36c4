#pragma once

#include <memory>
#include <string>

namespace tts::app {

// What the window asks of the help: the help button wants the table of contents, F1 the topic
// of the nearest help context. `helpFile` is the application's help file ("SICE.chm").
class HelpRequests {
public:
    virtual ~HelpRequests() = default;
    virtual void contents(const std::string& helpFile) = 0;
    virtual void context(int helpContext, const std::string& helpFile) = 0;
};

// The program's help, set up once at start-up; provided by the help library (app/help), which
// start-up links when it is built.
std::unique_ptr<HelpRequests> createHelp();

} // namespace tts::app
