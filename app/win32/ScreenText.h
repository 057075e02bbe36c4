#pragma once

#include "base/Windows1252.h"
#include "base/platform/win32/Wide.h"

#include <string>
#include <string_view>

namespace tts::app::win32 {

// A text of ours as the screen takes it: the program's own Windows-1252 words and the UTF-8 of
// a folder's name alike (see tts::textForDisplay), so that "Łódź" is drawn as it is named.
inline std::wstring screenText(std::string_view bytes) {
    return platform::widen(textForDisplay(bytes));
}

} // namespace tts::app::win32
