#pragma once

#include <string>
#include <vector>

namespace tts::app {

// Consulted by the WinHelp viewer before it claims a request, so that a program can keep some
// help files away from WinHelp.
class IWinHelpTester {
public:
    virtual ~IWinHelpTester() = default;
    virtual bool canShowALink(const std::string& keyword, const std::string& helpFile) = 0;
    virtual bool canShowTopic(const std::string& topic, const std::string& helpFile) = 0;
    virtual bool canShowContext(int contextId, const std::string& helpFile) = 0;
    virtual std::vector<std::string> helpStrings(const std::string& keyword) = 0;
    virtual std::string helpPath() = 0;
    virtual std::string defaultHelpFile() = 0;
};

} // namespace tts::app
