#pragma once

#include <string>

namespace tts::app {

// A viewer that also shows topics by name and help contexts by number. The help manager keeps
// the viewers that have it in a list of their own, in registration order.
class IExtendedHelpViewer {
public:
    virtual ~IExtendedHelpViewer() = default;
    virtual bool understandsTopic(const std::string& topic) = 0;
    virtual void displayTopic(const std::string& topic) = 0;
    virtual bool understandsContext(int contextId, const std::string& helpFileName) = 0;
    virtual void displayHelpByContext(int contextId, const std::string& helpFileName) = 0;
};

} // namespace tts::app
