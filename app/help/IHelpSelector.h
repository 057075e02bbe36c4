#pragma once

#include <string>
#include <vector>

namespace tts::app {

// Picks one of several viewers that could serve a request; the answer is a position in the
// list it is given.
class IHelpSelector {
public:
    virtual ~IHelpSelector() = default;
    // Lines "viewer name: keyword", sorted.
    virtual int selectKeyword(const std::vector<std::string>& lines) = 0;
    // Viewer names, sorted.
    virtual int tableOfContents(const std::vector<std::string>& viewerNames) = 0;
};

} // namespace tts::app
