#pragma once

#include "app/help/WindowHandle.h"

#include <string>

namespace tts::app {

// What a registered viewer may ask of the help manager.
class IHelpManager {
public:
    virtual ~IHelpManager() = default;
    // The owner window for the viewers' windows; 0 for none.
    virtual WindowHandle handle() = 0;
    // The help file of the request being dispatched.
    virtual std::string helpFile() = 0;
    // Removes the viewer with that id from every list of the manager.
    virtual void release(int viewerId) = 0;
};

} // namespace tts::app
