#pragma once

#include "app/help/HtmlHelpEntry.h"

#include <memory>

namespace tts::app {

// The HTML Help library as the program loads it, once: on Windows "HHCtrl.ocx" with its entry
// HtmlHelpA, elsewhere the platform's CHM viewer. Destroying it unloads the library.
class HtmlHelpLibrary {
public:
    virtual ~HtmlHelpLibrary() = default;
    // The entry point; empty when the library or the entry is missing.
    virtual HtmlHelpEntry entry() = 0;
};

// Loads the platform's HTML Help.
std::unique_ptr<HtmlHelpLibrary> loadHtmlHelpLibrary();

} // namespace tts::app
