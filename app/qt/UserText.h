#pragma once

#include <QString>

#include <string_view>

namespace tts::app {

// A message of the program as the user reads it (see tts::textForDisplay: a path's UTF-8 is
// kept, the program's own Windows-1252 texts are converted).
QString userText(std::string_view bytes);

} // namespace tts::app
