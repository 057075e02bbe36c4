#pragma once

#include "app/help/IWinHelpTester.h"

namespace tts::app {

// Installed as the WinHelp viewer's tester so that WinHelp never claims a keyword, topic or
// context: those go to the CHM viewer.
class TChmWinHelpTester : public IWinHelpTester {
public:
    bool canShowALink(const std::string& keyword, const std::string& helpFile) override;
    bool canShowTopic(const std::string& topic, const std::string& helpFile) override;
    bool canShowContext(int contextId, const std::string& helpFile) override;
    std::vector<std::string> helpStrings(const std::string& keyword) override;
    std::string helpPath() override;
    std::string defaultHelpFile() override;
};

} // namespace tts::app
