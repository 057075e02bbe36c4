#pragma once

#include <string_view>

namespace tts::app {

// Whether a help file name is a CHM: the text from its last "." to its end is ".chm", in any
// letter case. A name without "." is not one.
bool isChmFileName(std::string_view name);

// Whether a file name carries a folder of its own (a separator or a drive), as opposed to a bare
// name that is looked up in the program's folder.
bool hasFolderPart(std::string_view name);

} // namespace tts::app
